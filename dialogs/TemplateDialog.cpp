#include "dialogs/TemplateDialog.h"

#include "dialogs/DialogButtons.h"
#include "dialogs/DialogParts.h"
#include "grid/Tables.h"
#include "ui/CommandImages.h"
#include "ui/FileNames.h"
#include "ui/LanguageTexts.h"

#include <QDir>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QStyledItemDelegate>

namespace {

// Each entry: the table picture, then the name, on a 24-pixel line.
class TemplateItemDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        return QSize(QStyledItemDelegate::sizeHint(option, index).width(), 24);
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override
    {
        const QRect r = option.rect;
        const bool highlighted = option.state & QStyle::State_Selected;
        const QPalette& pal = option.palette;
        painter->fillRect(r, highlighted ? pal.highlight() : pal.base());
        const QSize image(16, 16);
        const QPixmap picture = CommandImage(Picture::Table).pixmap(image);
        painter->drawPixmap(r.left() + 2, (r.top() + r.bottom() + 1 - image.height()) / 2,
                            picture);
        painter->setPen(highlighted ? pal.highlightedText().color() : pal.text().color());
        const int textHeight = option.fontMetrics.height();
        painter->drawText(QPoint(r.left() + image.width() + 6,
                                 r.top() + (r.height() - textHeight) / 2 +
                                     option.fontMetrics.ascent()),
                          index.data().toString());
    }
};

}  // namespace

TemplateDialog::TemplateDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TemplateDialog"));
    setWindowTitle(QStringLiteral("Create From Template"));
    // A border without title-bar buttons, as the property dialogs have.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    resize(546, 320);

    const ListAndPreview body = BuildListAndPreview(this, 209);
    ListBox = body.list;
    ScrollBox1 = body.preview;
    ScrollBox1->setAccessibleName(windowTitle());  // the preview of the chosen table
    Button1 = body.ok;
    Button2 = body.cancel;
    ListBox->setItemDelegate(new TemplateItemDelegate(ListBox));
    connect(ListBox, &QListWidget::currentRowChanged, this, &TemplateDialog::ListBoxClick);
}

QString TemplateDialog::TemplatesFolder()
{
    return ExePath + QStringLiteral("Templates/");
}

void TemplateDialog::showEvent(QShowEvent* event)
{
    if (!preview_) {
        preview_ = new TTable(ScrollBox1->viewport());
        ScrollBox1->setWidget(preview_);
        preview_->setEnabled(false);
    }
    chosenFile_.clear();
    FillList();
    QDialog::showEvent(event);
    // Centred on the desktop, not on the main window.
    if (const QScreen* desktop = screen())
        move(desktop->availableGeometry().center() - QPoint(width() / 2, height() / 2));
    preview_->UpdateWidth();
}

void TemplateDialog::FillList()
{
    // Templates are the folder's own *.qgt files, whatever the case of the extension.
    QDir folder(TemplatesFolder());
    // A file that cannot be read is listed all the same: the preview shows the failed load.
    QStringList files = folder.entryList(QDir::Files, QDir::NoSort);
    files.erase(std::remove_if(files.begin(), files.end(),
                               [](const QString& name) {
                                   return !name.endsWith(QLatin1String(".qgt"),
                                                         Qt::CaseInsensitive);
                               }),
                files.end());
    std::sort(files.begin(), files.end(), [](const QString& a, const QString& b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });

    const QSignalBlocker quiet(ListBox);
    ListBox->clear();
    files_.clear();
    ListBox->addItem(emptyEntry_);
    files_.append(QString());
    for (const QString& name : files) {
        ListBox->addItem(ShownName(RemoveExt(name)));
        files_.append(folder.filePath(name));
    }
    ListBox->setCurrentRow(0);
    ListBoxClick();
}

void TemplateDialog::ListBoxClick()
{
    const int row = ListBox->currentRow();
    // The file as it is named in the folder, so that "Price.QGT" opens on this file system.
    chosenFile_ = (row > 0 && row < files_.size()) ? files_[row] : QString();
    if (!preview_) return;
    if (chosenFile_.isEmpty()) preview_->ResetTable();
    else preview_->LoadFromFile(chosenFile_);
}

void TemplateDialog::done(int result)
{
    QDialog::done(result);
    // The preview table lives only while the dialog is shown.
    delete preview_;
    preview_ = nullptr;
}

QString TemplateDialog::ShownName(const QString& fileTitle) const
{
    QString key = QStringLiteral("tpl") + fileTitle;
    key.remove(QLatin1Char(' '));
    return names_.value(key.toLower(), fileTitle);
}

void TemplateDialog::applyLanguage(const LanguageTexts& texts)
{
    texts.Caption("tempwindow", this);
    texts.Text("tempempty", emptyEntry_);
    const QHash<QString, QString> names = texts.CaptionsWithPrefix(QStringLiteral("tpl"));
    for (auto name = names.constBegin(); name != names.constEnd(); ++name)
        names_.insert(name.key().toLower(), name.value());
    ScrollBox1->setAccessibleName(windowTitle());
    ApplyButtonTexts(texts, Button1, Button2);
}
