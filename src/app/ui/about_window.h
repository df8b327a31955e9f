// frmAbout with its animated miniatures, and frmCredits with the credits scrolling
// over a field of stars.
#pragma once

#include <QDialog>
#include <QPointF>
#include <vector>

#include "host/product_texts.h"

namespace pyxora {

class PictureBox;

class AboutWindow : public QDialog {
  Q_OBJECT
 public:
  explicit AboutWindow(QWidget* parent = nullptr);
  bool MiniaturesRunning() const { return running_; }
  // The close button: stops the miniatures, and closes once they have returned.
  void Close();

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  // Escape: stops the animation first, which would otherwise run on unseen.
  void reject() override { Close(); }
  void paintEvent(QPaintEvent* event) override;

 private:
  void RunMiniatures();

  PictureBox* picPXRA_ = nullptr;
  bool started_ = false, running_ = false, closeWanted_ = false;
};

class CreditsWindow : public QDialog {
  Q_OBJECT
 public:
  explicit CreditsWindow(QWidget* parent = nullptr);
  bool Running() const { return running_; }
  void Close();

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  // Escape: stops the animation first, which would otherwise run on unseen.
  void reject() override { Close(); }
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Run();

  PictureBox* picCredits_ = nullptr;
  bool started_ = false, running_ = false, closeWanted_ = false;
};

}  // namespace pyxora
