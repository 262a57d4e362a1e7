#include "dialogs/AboutBox.h"

#include "ui/LanguageTexts.h"
#include "ui/Prompts.h"

#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

const QString AboutBox::WebAddress = QStringLiteral("https://www.vantorel.example/");
const QString AboutBox::MailAddress = QStringLiteral("support@vantorel.example");

namespace {

QLabel* CentredLabel(const QString& text, const QString& name, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setAlignment(Qt::AlignCenter);
    label->setTextFormat(Qt::PlainText);
    return label;
}

// Navy, underlined and with the hand pointer: a line that opens something when clicked.
void MakeLinkLook(QLabel* label)
{
    QFont font = label->font();
    font.setUnderline(true);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, QColor(0, 0, 128));
    label->setPalette(palette);
    label->setCursor(Qt::PointingHandCursor);
}

}  // namespace

AboutBox::AboutBox(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("About"));
    setMinimumSize(304, 169);

    Label1 = CentredLabel(QStringLiteral("HTML Quillgrid 1.0"), QStringLiteral("Label1"), this);
    QFont title(QStringLiteral("Tahoma"));
    title.setPixelSize(16);
    title.setBold(true);
    Label1->setFont(title);
    QPalette black = Label1->palette();
    black.setColor(QPalette::WindowText, Qt::black);
    Label1->setPalette(black);
    Label1->setMinimumWidth(257);

    Bevel1 = new QFrame(this);
    Bevel1->setObjectName(QStringLiteral("Bevel1"));
    Bevel1->setFrameShape(QFrame::Box);
    Bevel1->setFrameShadow(QFrame::Sunken);
    Bevel1->setMinimumSize(257, 81);
    Label2 = CentredLabel(QStringLiteral("\u00A9 2026 Vantorel Software"), QStringLiteral("Label2"),
                          Bevel1);
    Label5 = CentredLabel(QStringLiteral("All rights reserved."), QStringLiteral("Label5"), Bevel1);
    Label3 = CentredLabel(QStringLiteral("www.vantorel.example"), QStringLiteral("Label3"), Bevel1);
    Label4 = CentredLabel(MailAddress, QStringLiteral("Label4"), Bevel1);
    for (QLabel* link : {Label3, Label4}) {
        MakeLinkLook(link);
        link->installEventFilter(this);
    }
    auto* lines = new QVBoxLayout(Bevel1);
    for (QLabel* line : {Label2, Label5, Label3, Label4}) lines->addWidget(line);

    // Default and cancel button at once: Enter accepts, Esc rejects; both just close.
    Button1 = new QPushButton(QStringLiteral("OK"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setDefault(true);
    Button1->setAutoDefault(true);
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(Bevel1);
    layout->addWidget(Button1, 0, Qt::AlignHCenter);
}

void AboutBox::showEvent(QShowEvent* event)
{
    FormShow();
    QDialog::showEvent(event);
}

void AboutBox::FormShow()
{
    Button1->setFocus();
}

bool AboutBox::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        if (watched == Label3) Label3Click();
        if (watched == Label4) Label4Click();
    }
    return QDialog::eventFilter(watched, event);
}

// Either line leaves the box open; when no program takes the address, a message says so.
void AboutBox::Label3Click()
{
    OpenThroughDesktop(this, QUrl(WebAddress), errorCaption_, cantLaunch_);
}

void AboutBox::Label4Click()
{
    OpenThroughDesktop(this, QUrl(QStringLiteral("mailto:") + MailAddress), errorCaption_, cantLaunch_);
}

void AboutBox::applyLanguage(const LanguageTexts& texts)
{
    texts.Caption("aboutwindow", this);
    texts.Caption("ok", Button1);
    texts.Text("error", errorCaption_);
    texts.Text("cantlaunch", cantLaunch_);
}
