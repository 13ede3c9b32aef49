#pragma once
// The main window: one screen at a time inside an 800 x 600 frame centred on the screen.

#include <QMainWindow>

#include <functional>

namespace app {

class MainFrameWindow : public QMainWindow {
 public:
  // onClose runs the close handler of the program (saving the data); the window then closes.
  explicit MainFrameWindow(std::function<void()> onClose, QWidget* parent = nullptr);

  // Centres the window on its screen, as the frame is placed when it is created.
  void CentreOnScreen();
  // Shows the menu screen: its title, and a frame that cannot be resized or maximised.
  void ShowMenuScreen();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  std::function<void()> onClose_;
  bool closed_ = false;
};

}  // namespace app
