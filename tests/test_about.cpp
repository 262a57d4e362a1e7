// The Help menu: the About box (its OK text from the language, its two address lines, how it
// closes, and the message when nothing opens an address) and the help window.

#include "tests/SettingsSandbox.h"

#include "app/Languages.h"
#include "app/MainWindow.h"
#include "dialogs/AboutBox.h"
#include "dialogs/HelpWindow.h"
#include "tests/ScriptedPrompts.h"
#include "ui/FileNames.h"

#include <QDesktopServices>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimer>
#include <QUrl>

#include <gtest/gtest.h>

#include <memory>

namespace {

void PressKey(QWidget* target, Qt::Key key)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(target, &press);
}

void Click(QWidget* target)
{
    const QPointF centre = QRectF(target->rect()).center();
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent event(type, centre, target->mapToGlobal(centre), Qt::LeftButton,
                          type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                          Qt::NoModifier);
        QApplication::sendEvent(target, &event);
    }
}

// Takes the addresses the box hands to the desktop, instead of a browser or mail program.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl& url) { opened << url; }
};

class About : public ::testing::Test {
protected:
    QTemporaryDir folder;
    std::unique_ptr<MainWindow> form;
    AboutBox* box = nullptr;
    UrlCatcher catcher;

    void SetUp() override
    {
        ExePath = folder.path() + QLatin1Char('/');
        form = std::make_unique<MainWindow>();
        form->createDialogs();
        box = form->findChild<AboutBox*>();
        for (const char* scheme : {"http", "https", "mailto"})
            QDesktopServices::setUrlHandler(QLatin1String(scheme), &catcher, "open");
    }
    void TearDown() override
    {
        for (const char* scheme : {"http", "https", "mailto"})
            QDesktopServices::unsetUrlHandler(QLatin1String(scheme));
    }

    // Runs the box modally, doing `act` once it is up; returns the dialog's result.
    int runWith(const std::function<void()>& act)
    {
        QTimer::singleShot(0, box, [this, act] {
            act();
            if (box->isVisible()) box->done(-1);  // still open: report that
        });
        return box->exec();
    }
};

TEST_F(About, ShowsTheProgramAndTheMaker)
{
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->objectName(), QStringLiteral("AboutBox"));
    EXPECT_EQ(box->Label1->text(), QStringLiteral("HTML Quillgrid 1.0"));
    EXPECT_TRUE(box->Label1->font().bold());
    EXPECT_EQ(box->Label1->font().pixelSize(), 16);
    EXPECT_EQ(box->Label2->text(), QString::fromUtf8("© 2026 Vantorel Software"));
    EXPECT_EQ(box->Label3->text(), QStringLiteral("www.vantorel.example"));
    EXPECT_EQ(box->Label4->text(), QStringLiteral("support@vantorel.example"));
}

TEST_F(About, OkTextComesFromTheLanguageAtEveryShow)
{
    ApplyLanguageEntry(*form, "ok", QStringLiteral("Einverstanden"), QString());
    runWith([] {});
    EXPECT_EQ(box->Button1->text(), QStringLiteral("Einverstanden"));
    ApplyLanguageEntry(*form, "ok", QStringLiteral("D'accord"), QString());
    runWith([] {});
    EXPECT_EQ(box->Button1->text(), QStringLiteral("D'accord"));
    EXPECT_EQ(box->Label3->text(), QStringLiteral("www.vantorel.example"));
}

TEST_F(About, EnterAndEscCloseIt)
{
    EXPECT_EQ(runWith([this] { PressKey(box, Qt::Key_Escape); }), QDialog::Rejected);
    EXPECT_EQ(runWith([this] { PressKey(box->focusWidget(), Qt::Key_Return); }),
              QDialog::Accepted);
    EXPECT_EQ(runWith([this] { box->Button1->click(); }), QDialog::Accepted);
}

TEST_F(About, AddressLinesOpenThroughTheDesktopAndLeaveTheBoxOpen)
{
    const int result = runWith([this] {
        Click(box->Label3);
        Click(box->Label4);
        Click(box->Label2);  // plain text: nothing
    });
    EXPECT_EQ(result, -1) << "the box stayed open";
    EXPECT_EQ(catcher.opened, (QList<QUrl>{QUrl("https://www.vantorel.example/"),
                                           QUrl("mailto:support@vantorel.example")}));
}

// A desktop without a program for the address: the box says so, with the address.
TEST_F(About, AnAddressNothingOpensIsNamedInAMessage)
{
    struct NothingOpens : ScriptedPrompts {
        bool openUrl(const QUrl&) override { return false; }
    } answers;
    setPrompts(&answers);
    ApplyLanguageEntry(*form, "cantlaunch", QStringLiteral("Nichts öffnet „%s“."), QString());
    runWith([this] { Click(box->Label3); });
    setPrompts(nullptr);
    ASSERT_EQ(answers.errors.size(), 1u);
    EXPECT_EQ(answers.errors.front().text, QString::fromUtf8("Nichts öffnet „https://www.vantorel.example/“."));
}

// A program without its help page says which file is missing (the help window itself is
// checked end to end: its browser engine does not start inside the unit tests).
TEST_F(About, HelpWithoutItsPageNamesTheMissingFile)
{
    ScriptedPrompts answers;
    setPrompts(&answers);
    form->actHelp->trigger();
    ASSERT_EQ(answers.errors.size(), 1u);
    EXPECT_TRUE(answers.errors.front().text.contains(ExePath + "help/index.htm"));
    auto* help = form->findChild<HelpWindow*>();
    ASSERT_NE(help, nullptr);
    EXPECT_FALSE(help->isVisible());
    setPrompts(nullptr);
}

}  // namespace

#include "test_about.moc"
