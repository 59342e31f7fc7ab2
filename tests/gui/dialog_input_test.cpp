// The started main window on the Qt front end, driven by real key presses, pastes and clicks:
// a plain key that opens a box runs its command once, the command box keeps an entry whole, and
// a screen reader hears of every edit of the launch list.
#include <gtest/gtest.h>

#include <QtGui/private/qguiapplication_p.h>
#include <QtGui/qpa/qplatformaccessibility.h>
#include <QtGui/qpa/qplatformintegration.h>
#include <QtCore/QTimer>
#include <QtGui/QAccessible>
#include <QtGui/QClipboard>
#include <QtGui/QGuiApplication>
#include <QtGui/QScreen>
#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QMessageBox>
#include <QtWidgets/QPushButton>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/dialog.h"
#include "gui/qt/front_end.h"
#include "gui/qt/list_box_widget.h"
#include "support/files.h"
#include "support/program_run.h"
#include "support/temp_dir.h"
#include "support/x_server.h"

namespace {

// Answers every message box with one button, recording the titles.
class BoxAnswerer {
  public:
    explicit BoxAnswerer(QMessageBox::StandardButton button) {
        QObject::connect(&poll_, &QTimer::timeout, [this, button] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box != nullptr && box->isVisible()) {
                titles.push_back(box->windowTitle().toStdString());
                box->button(button)->click();
            }
        });
        poll_.start(5);
    }
    std::vector<std::string> titles;

  private:
    QTimer poll_;
};

class QtDialogInputTest : public ::testing::Test {
  protected:
    // Starts the program on a settings file of the given launch list.
    void start(const std::vector<std::string>& entries) {
        std::string settings = "<00000>\r\n60\r\nEN\r\n";
        for (const std::string& entry : entries) {
            settings += entry + "\r\n";
        }
        testing_support::writeFile(settingsFile(), settings);
        Services services;
        services.process = {dir.path().string(), "opalist", "tester"};
        services.version = {1, 4, 4};
        services.dateTimeText = [] { return std::string("7.12.2026 13:45:12"); };
        services.desktopWindow = [] { return std::uintptr_t{0}; };
        services.shellExecute = [this](const platform::ShellRequest& request) {
            launches.push_back(request.file);
            return 42;
        };
        dialog = std::make_unique<Dialog>(frontEnd.app(), std::move(services));
        ASSERT_TRUE(frontEnd.app().dispatch([this] {
            dialog->Form_Load();
            dialog->show();
        }));
        QWidget* top = frontEnd.widget(*dialog);
        top->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(top));
    }
    std::string settingsFile() const { return dir.file("opalist tester.ini"); }
    QWidget& widget(const tk::Control& control) { return *frontEnd.widget(control); }
    void program(const std::function<void()>& action) {
        ASSERT_TRUE(frontEnd.app().dispatch(action));
    }
    void openSetup() {
        program([this] { dialog->Butt[Command::ConfigRunAgain].clickByUser(); });
    }
    std::vector<std::string> savedEntries() {
        std::vector<std::string> entries;
        const std::string text = testing_support::readFile(settingsFile());
        for (std::size_t line = 0, at = 0; at < text.size(); ++line) {
            const std::size_t end = text.find("\r\n", at);
            if (line >= 3) {
                entries.push_back(text.substr(at, end - at));
            }
            at = end == std::string::npos ? text.size() : end + 2;
        }
        return entries;
    }

    testing_support::TempDir dir;
    gui::qt::FrontEnd frontEnd;
    std::unique_ptr<Dialog> dialog;
    std::vector<std::string> launches;
};

// The focused control passes the key on and ignores it; after the box has closed nothing has the
// focus, and yet the window must not run the command a second time.
TEST_F(QtDialogInputTest, APlainKeyThatOpensABoxRunsItsCommandOnce) {
    struct Case {
        const char* name;
        bool setup;  // in the setup view, else counting down
        bool dirty;  // with unsaved changes
        int key;
        QMessageBox::StandardButton answer;
        std::vector<std::string> boxes;
        std::size_t launches;
    };
    const std::vector<Case> cases = {
        {"H opens the description",
         false,
         false,
         Qt::Key_H,
         QMessageBox::Ok,
         {"Opalist description"},
         0},
        {"O asks before each entry",
         true,
         false,
         Qt::Key_O,
         QMessageBox::Yes,
         {"One by one (1/1)"},
         1},
        {"Esc asks about the changes",
         true,
         true,
         Qt::Key_Escape,
         QMessageBox::Cancel,
         {"Save changes"},
         0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        start({"/bin/true"});
        if (c.setup) {
            openSetup();
        }
        if (c.dirty) {
            program([this] {
                dialog->qErrMsg.clickByUser();
                dialog->qErrMsg.clickByUser();
            });
        }
        tk::Control& focused =
            c.setup ? static_cast<tk::Control&>(dialog->dErrMsg) : dialog->Butt[Command::Exit];
        widget(focused).setFocus();
        ASSERT_EQ(QApplication::focusWidget(), &widget(focused));
        BoxAnswerer answerer(c.answer);
        QTest::keyClick(&widget(focused), static_cast<Qt::Key>(c.key));
        QTest::qWait(30);  // a second run would open its box by now
        EXPECT_EQ(answerer.titles.size(), c.boxes.size());
        if (!answerer.titles.empty()) {
            EXPECT_EQ(answerer.titles[0].substr(0, c.boxes[0].size()), c.boxes[0]);
        }
        EXPECT_EQ(launches.size(), c.launches);
        EXPECT_FALSE(frontEnd.app().ended());
        dialog.reset();
        launches.clear();
    }
}

// A paste of several lines joins them into the one line the box holds: the next start reads
// the same single entry.
TEST_F(QtDialogInputTest, APastedLineBreakNeverSplitsAnEntry) {
    start({"/bin/true"});
    openSetup();
    auto& add = dynamic_cast<QLineEdit&>(widget(dialog->Add));
    add.setFocus();
    for (const char* pasted : {"/bin/echo /a\r\n/b\n", "\n/bin/echo /a /b\r"}) {
        QGuiApplication::clipboard()->setText(QString::fromUtf8(pasted));
        QTest::keyClick(&add, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(add.text(), "/bin/echo /a /b") << pasted;
        EXPECT_EQ(dialog->Add.text(), "/bin/echo /a /b") << pasted;
        QTest::keyClick(&add, Qt::Key_Return);
    }
    program([this] { dialog->Butt[Command::SaveChanges].clickByUser(); });
    EXPECT_EQ(savedEntries(),
              (std::vector<std::string>{"/bin/true", "/bin/echo /a /b", "/bin/echo /a /b"}));
}

// Enter on a focused button clicks it (here Help, whose description box then opens).
TEST_F(QtDialogInputTest, EnterClicksTheFocusedButton) {
    start({"/bin/true"});
    openSetup();
    widget(dialog->Butt[Command::Help]).setFocus();
    BoxAnswerer answerer(QMessageBox::Ok);
    QTest::keyClick(&widget(dialog->Butt[Command::Help]), Qt::Key_Return);
    QTest::qWait(30);
    ASSERT_EQ(answerer.titles.size(), 1u);
    EXPECT_EQ(answerer.titles[0].substr(0, 19), "Opalist description");
}

// An entry longer than the line edit's default limit (32,767) comes back whole after an edit.
TEST_F(QtDialogInputTest, ALongEntryIsNeverCut) {
    const std::string entry = "/bin/echo /" + std::string(40000, 'x');
    start({"/bin/true", entry});
    openSetup();
    auto& list = dynamic_cast<gui::qt::ListBoxWidget&>(widget(dialog->LaunchList));
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.rowRect(1).center());
    auto& add = dynamic_cast<QLineEdit&>(widget(dialog->Add));
    EXPECT_EQ(add.text().size(), static_cast<qsizetype>(entry.size()));
    add.setFocus();
    QTest::keyClick(&add, Qt::Key_End);
    QTest::keyClicks(&add, "y");
    QTest::mouseClick(&widget(dialog->Butt[Command::AddMod]), Qt::LeftButton);
    EXPECT_EQ(dialog->LaunchList.list(1), entry + "y");
}

// Stands in for a screen reader through Qt's test hooks, as Qt's own tests do: the platform's
// accessibility is active, nothing reaches its bridge, and every event about one object is
// written down.
class ScreenReader {
  public:
    explicit ScreenReader(const QObject& heard) {
        heard_ = &heard;
        events_.clear();
        QAccessible::installRootObjectHandler([](QObject*) {});
        QAccessible::installUpdateHandler(&ScreenReader::hear);
        platform()->setActive(true);
    }
    ~ScreenReader() {
        platform()->setActive(false);
        QAccessible::installUpdateHandler(nullptr);
        QAccessible::installRootObjectHandler(nullptr);
        heard_ = nullptr;
    }
    ScreenReader(const ScreenReader&) = delete;
    ScreenReader& operator=(const ScreenReader&) = delete;

    // What was heard since the last call.
    static std::vector<std::string> heard() { return std::exchange(events_, {}); }

  private:
    static QPlatformAccessibility* platform() {
        return QGuiApplicationPrivate::platformIntegration()->accessibility();
    }
    static void hear(QAccessibleEvent* event) {
        if (event->object() != heard_) {
            return;
        }
        std::string text;
        switch (event->type()) {
            case QAccessible::TableModelChanged: {
                const auto* change = static_cast<QAccessibleTableModelChangeEvent*>(event);
                static const std::map<int, std::string> names{
                    {QAccessibleTableModelChangeEvent::RowsInserted, "inserted"},
                    {QAccessibleTableModelChangeEvent::RowsRemoved, "removed"},
                    {QAccessibleTableModelChangeEvent::DataChanged, "changed"},
                    {QAccessibleTableModelChangeEvent::ModelReset, "reset"}};
                text = names.at(change->modelChangeType()) + " " +
                       std::to_string(change->firstRow()) + "-" + std::to_string(change->lastRow());
                break;
            }
            case QAccessible::SelectionAdd:
                text = "selected " + std::to_string(event->child());
                break;
            case QAccessible::SelectionRemove:
                text = "deselected " + std::to_string(event->child());
                break;
            case QAccessible::Focus:
                text = "focus " + std::to_string(event->child());
                break;
            default:
                return;
        }
        events_.push_back(text);
    }

    static inline const QObject* heard_ = nullptr;
    static inline std::vector<std::string> events_;
};

// Adding, changing, moving, removing and deselecting rows are told as an item view tells them.
// The offscreen platform has no accessibility: the test runs again in a program of its own on an
// X server.
TEST_F(QtDialogInputTest, AScreenReaderHearsOfEveryEditOfTheList) {
    if (QGuiApplication::platformName() == "offscreen") {
        const testing_support::XServer server;
        if (!server.failure().empty()) {
            GTEST_SKIP() << server.failure();
        }
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        std::vector<std::string> environment{"QT_QPA_PLATFORM=xcb", "DISPLAY=" + server.display(),
                                             "LC_ALL=C.UTF-8", "PATH=/usr/bin:/bin"};
        // A sanitizer build's options (its leak suppressions) hold for the second run too.
        for (const char* name : {"ASAN_OPTIONS", "LSAN_OPTIONS", "UBSAN_OPTIONS"}) {
            if (const char* value = std::getenv(name)) {
                environment.push_back(std::string(name) + "=" + value);
            }
        }
        const testing_support::ProgramResult run = testing_support::runProgram(
            "/proc/self/exe",
            {std::string("--gtest_filter=") + test->test_suite_name() + "." + test->name()},
            environment);
        EXPECT_EQ(run.status, 0) << run.out << run.err;
        return;
    }
    start({"one", "two", "three"});
    openSetup();
    auto& list = dynamic_cast<gui::qt::ListBoxWidget&>(widget(dialog->LaunchList));
    auto& add = dynamic_cast<QLineEdit&>(widget(dialog->Add));
    const ScreenReader reader(list);
    using Heard = std::vector<std::string>;

    add.setFocus();
    QTest::keyClicks(&add, "four");
    QTest::keyClick(&add, Qt::Key_Return);
    EXPECT_EQ(ScreenReader::heard(), Heard{"inserted 3-3"});

    list.setFocus();
    ScreenReader::heard();
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.rowRect(1).center());
    EXPECT_EQ(ScreenReader::heard(), (Heard{"selected 1", "focus 1"}));

    add.setText("TWO");
    QTest::mouseClick(&widget(dialog->Butt[Command::AddMod]), Qt::LeftButton);  // Mod
    // The click took the focus away from the list, and it comes back there after the edit.
    EXPECT_EQ(ScreenReader::heard(), (Heard{"changed 1-1", "deselected 1", "focus -1"}));

    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.rowRect(2).center());
    ScreenReader::heard();
    QTest::mouseClick(&widget(dialog->Butt[Command::Up]), Qt::LeftButton);  // Up
    EXPECT_EQ(ScreenReader::heard(),
              (Heard{"changed 1-1", "changed 2-2", "selected 1", "deselected 2"}));

    QTest::mouseClick(&widget(dialog->Butt[Command::Delete]), Qt::LeftButton);  // Del
    EXPECT_EQ(ScreenReader::heard(), Heard{"removed 1-1"});
    EXPECT_EQ(list.currentRow(), -1);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(&list)->childCount(), 3);
}

// The countdown window placed at the foot of the screen grows into the setup and stays wholly
// on the screen's work area, moving up as far as it must.
TEST_F(QtDialogInputTest, TheWindowStaysOnTheScreenAsItGrows) {
    start({"/bin/true"});
    QWidget& top = *frontEnd.widget(*dialog);
    const QRect work = top.screen()->availableGeometry();
    EXPECT_TRUE(work.contains(top.frameGeometry())) << "opened on the screen";
    top.move(work.right() - top.frameGeometry().width() + 1,
             work.bottom() - top.frameGeometry().height() + 1);
    openSetup();
    EXPECT_GT(top.frameGeometry().height(), 300);
    EXPECT_TRUE(work.contains(top.frameGeometry()));
    EXPECT_EQ(top.frameGeometry().bottom(), work.bottom()) << "moved no further than needed";
}

}  // namespace
