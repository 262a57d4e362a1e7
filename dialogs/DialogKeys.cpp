#include "dialogs/DialogKeys.h"

#include <QAbstractSpinBox>
#include <QDialog>
#include <QEvent>
#include <QKeyEvent>

namespace {

class DialogKeyFilter : public QObject {
public:
    explicit DialogKeyFilter(QDialog* dialog) : QObject(dialog), dialog_(dialog)
    {
        setObjectName(QStringLiteral("dialogKeyFilter"));
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress) return false;
        auto* widget = qobject_cast<QWidget*>(watched);
        // An open drop-down list is a window of its own.
        if (!widget || widget->window() != dialog_) return false;
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            // A number typed but not yet taken counts, as it would on leaving the box.
            for (QAbstractSpinBox* box : dialog_->findChildren<QAbstractSpinBox*>())
                box->interpretText();
            dialog_->accept();
            return true;
        }
        if (key == Qt::Key_Escape) {
            dialog_->reject();
            return true;
        }
        return false;
    }

private:
    QDialog* dialog_;
};

}  // namespace

void WatchDialogKeys(QDialog* dialog)
{
    QObject* filter =
        dialog->findChild<QObject*>(QStringLiteral("dialogKeyFilter"), Qt::FindDirectChildrenOnly);
    if (!filter) filter = new DialogKeyFilter(dialog);
    dialog->installEventFilter(filter);
    for (QWidget* child : dialog->findChildren<QWidget*>()) child->installEventFilter(filter);
}
