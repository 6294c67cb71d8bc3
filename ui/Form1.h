// The game's one window: its controls where the layout puts them, real dialogs, and the engine.
#pragma once

#include <QMainWindow>
#include <array>

#include "Controls.h"
#include "FaultReport.h"
#include "Game.h"
#include "Host.h"
#include "Layout.h"
#include "ProgramServices.h"

class QAction;

class Form1 : public QMainWindow, public Host {
public:
    Form1(RecordStore& store, MediaControl& mm1, ProgramServices& services,
          QWidget* parent = nullptr);
    ~Form1() override;

    const Game& game() const { return game_; }
    // Runs the load handler; called once, before the window is first shown.
    void load();
    // True once a fault has ended the program; the window is then never shown again.
    bool failed() const { return failed_; }
    // Copies the board onto the widgets.
    void mirror();

    // The controls by their names in the layout, for tests and the screenshot tools.
    QWidget* control(Control control, int index = 0) const;
    PictureControl* Image1(int k) const { return c_.image1[static_cast<std::size_t>(k)]; }
    QLabel* Label1(int i) const { return c_.label1[static_cast<std::size_t>(i)]; }
    QRadioButton* Option1(int i) const { return c_.option1[static_cast<std::size_t>(i)]; }
    QWidget* client() const { return client_; }
    QAction* menuItem(const QString& name) const;

    // Host
    int messageBox(const std::string& text, const std::string& title, int code) override;
    std::string inputBox(const std::string& prompt, const std::string& title,
                         const std::string& defaultText) override;
    void redraw() override;
    void endProgram() override;
    void randomize() override { services_.randomize(); }
    double rnd() override;
    float timer() override { return services_.timer(); }
    void nap() override { services_.nap(); }
    std::string appPath() override { return services_.appPath(); }

protected:
    // The real dialogs, behind the host's boxes, which also write the answers down.
    virtual int showMessageBox(const std::string& text, const std::string& title, int code);
    virtual std::string showInputBox(const std::string& prompt, const std::string& title,
                                     const std::string& defaultText);
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    // Runs one engine handler, `event` as a replay script names it, then shows its outcome;
    // true, as the event is taken. A fault in the rules ends the program with a bug report.
    template <typename Handler>
    bool handle(const std::string& event, Handler&& handler);
    void fail(const std::string& event, const char* what);
    // Command `i` clicked, or pressed on the keys; after a play, tells what the computer did.
    bool command(int i, bool byKey);
    // Space, Enter, Left and Right on a hand card or a command: true when the key was taken.
    bool keyOnControl(QWidget* w, int key);

    ProgramServices& services_;
    Game game_;
    QWidget* client_ = nullptr;
    Controls c_;
    QAction* music_ = nullptr;
    std::array<int, 10> shown1_{}, shown2_{};
    std::array<int, 2> shown4_{};
    std::array<int, 3> shown7_{};
    bool secondClick_ = false;  // the button went down for a double click
    FaultReport report_;        // the game so far, for a bug report
    bool failed_ = false;
    int boxesShown_ = 0;
};
