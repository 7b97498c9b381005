#pragma once
// The about box: "About", a scrolling markup label with the product name, edition,
// version, notice, a link to the home page and a graded bar, on a dark background.

#include <QDialog>
#include <QUrl>

namespace linkmoor {

class MarkupLabel;

/// The markup text of the about box, with `homePage` as the link target and `year` in
/// the notice.
QString aboutText(const QUrl &homePage, int year);

/// The modal about box.
class AboutDialog : public QDialog {
  Q_OBJECT
public:
  /// The scroll offset at opening: the text starts this far below the top.
  static constexpr int kStartOffset = -50;
  /// Milliseconds between two scroll steps.
  static constexpr int kStepInterval = 80;

  /// An about box over `parent` whose link opens `homePage`.
  explicit AboutDialog(const QUrl &homePage, QWidget *parent = nullptr);

  /// The label showing the text.
  MarkupLabel *label() const { return label_; }

protected:
  /// Stops the label's timer when the box closes.
  void done(int result) override;

private:
  MarkupLabel *label_;
};

} // namespace linkmoor
