// The game's one window: its controls at their twip positions, real dialogs, and the engine.
#pragma once

#include <QMainWindow>
#include <array>
#include <random>

#include "Game.h"
#include "Host.h"

class QAction;
class QButtonGroup;
class QFrame;
class QLabel;
class QRadioButton;
class PictureControl;
class ShapeControl;

class Form1 : public QMainWindow, public Host {
public:
    Form1(RecordStore& store, MediaControl& mm1, QWidget* parent = nullptr);
    ~Form1() override;

    Game& game() { return game_; }
    // Runs the load handler; called once, before the window is first shown.
    void load();
    // Copies the board onto the widgets.
    void mirror();

    // The controls, for tests and for the screenshot tools.
    PictureControl* Image1(int k) const { return image1_[static_cast<std::size_t>(k)]; }
    PictureControl* Image2(int k) const { return image2_[static_cast<std::size_t>(k)]; }
    PictureControl* Image3(int k) const { return image3_[static_cast<std::size_t>(k)]; }
    PictureControl* Image4(int k) const { return image4_[static_cast<std::size_t>(k)]; }
    PictureControl* Image5(int k) const { return image5_[static_cast<std::size_t>(k)]; }
    PictureControl* Image6() const { return image6_; }
    PictureControl* Image7(int k) const { return image7_[static_cast<std::size_t>(k)]; }
    QLabel* Label1(int i) const { return label1_[static_cast<std::size_t>(i)]; }
    ShapeControl* Shape1(int i) const { return shape1_[static_cast<std::size_t>(i)]; }
    QRadioButton* Option1(int i) const { return option1_[static_cast<std::size_t>(i)]; }
    QFrame* Frame2() const { return frame2_; }
    QWidget* client() const { return client_; }
    QAction* menuItem(const QString& name) const;

    // Host
    int messageBox(const std::string& text, const std::string& title, int code) override;
    std::string inputBox(const std::string& prompt, const std::string& title,
                         const std::string& defaultText) override;
    void redraw() override;
    void endProgram() override;
    void randomize() override;
    double rnd() override;
    float timer() override;
    void nap() override;
    std::string appPath() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void buildMenus();
    void stack();
    // Runs one engine handler, then shows its outcome; true, as the event is taken.
    template <typename Handler>
    bool handle(Handler&& handler);

    Game game_;
    std::mt19937 generator_;
    QWidget* client_ = nullptr;
    QFrame* frame2_ = nullptr;
    std::array<PictureControl*, 10> image1_{}, image2_{}, image3_{};
    std::array<PictureControl*, 2> image4_{}, image5_{};
    std::array<PictureControl*, 3> image7_{};
    PictureControl* image6_ = nullptr;
    std::array<QLabel*, 3> label1_{};
    std::array<ShapeControl*, 3> shape1_{};
    std::array<QRadioButton*, 4> option1_{};
    QButtonGroup* operators_ = nullptr;
    QAction* music_ = nullptr;
    std::array<int, 10> shown1_{}, shown2_{};
    std::array<int, 2> shown4_{};
    std::array<int, 3> shown7_{};
    bool secondClick_ = false;  // the button went down for a double click
};
