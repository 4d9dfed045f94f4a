// A shown, active main window in temporary folders, for tests that drive its
// commands through the window system: clicking controls, pressing keys, and
// dealing with the modal windows the commands open.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <QWindow>

#include <functional>
#include <memory>
#include <vector>

#include "test_support.h"
#include "ui/frm_main.h"
#include "ui/web_opener.h"

namespace testing_support {

// Clicks the left button in the middle of a control the way the window
// system would: pointer there, press, release, all through its window.
inline void ClickThroughWindow(QWidget* control)
{
    QWindow* window = control->window()->windowHandle();
    ASSERT_NE(window, nullptr);
    const QPoint at = control->mapTo(control->window(), control->rect().center());
    // The window system drops a move to where the pointer already is.
    QTest::mouseMove(window, at + QPoint(1, 0));
    QTest::mouseMove(window, at);
    QTest::mousePress(window, Qt::LeftButton, {}, at);
    QTest::mouseRelease(window, Qt::LeftButton, {}, at);
}

// While alive, watches for modal windows. The first one that opens is handed
// to `inspect` (when given); afterwards every modal window still open is
// closed, so no test is left waiting on one. Records the class of each.
class ModalWatch {
public:
    explicit ModalWatch(std::function<void(QWidget* modal)> inspect = {}) : inspect_(std::move(inspect))
    {
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, [this] { Tick(); });
        timer_.start();
    }

    // Class names of the modal windows seen, in order.
    std::vector<QString> seen;

private:
    void Tick()
    {
        if (busy_)
            return;
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible())
            return;
        busy_ = true;
        QPointer<QWidget> guard(modal);
        seen.push_back(QString::fromLatin1(modal->metaObject()->className()));
        if (inspect_) {
            auto inspect = std::move(inspect_);
            inspect_ = nullptr;
            inspect(modal);
        }
        if (guard && guard->isVisible()) {
            if (auto* dialog = qobject_cast<QDialog*>(guard.data()))
                dialog->done(0);
            else
                guard->close();
        }
        busy_ = false;
    }

    std::function<void(QWidget*)> inspect_;
    QTimer timer_;
    bool busy_ = false;
};

// Records the addresses the program starter is asked to open, instead of
// starting a browser.
class OpenedAddresses {
public:
    OpenedAddresses()
    {
        WebOpener::SetOpenFunction([this](const QUrl& address) {
            addresses.push_back(address.toString());
            return true;
        });
    }
    ~OpenedAddresses() { WebOpener::SetOpenFunction({}); }
    std::vector<QString> addresses;
};

class MainWindowFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        window = std::make_unique<Tfrm_Main>(folders.locations);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    QWindow* MainHandle() const { return window->windowHandle(); }
    Game& GetGame() const { return window->GetGame(); }

    GameFolders folders;
    ErrorBoxRecorder errors;
    NoSlidePacing noPacing;
    OpenedAddresses opened;
    std::unique_ptr<Tfrm_Main> window;
};

}  // namespace testing_support
