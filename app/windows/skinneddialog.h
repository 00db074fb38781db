// The common shape of KORVAN's small windows: a frameless dialog framed by the skin control,
// with a background panel filling the client area. Subclasses place their controls on the
// panel in layoutClient, which runs whenever the client area changes.
#pragma once

#include <QDialog>

namespace kui {
class Back;
class Skin;
}  // namespace kui

namespace korvan {

class SkinnedDialog : public QDialog {
    Q_OBJECT

  public:
    // `langBase` is the window's caption number in Lang.ini (its Tag).
    SkinnedDialog(int langBase, QWidget* parent = nullptr);
    ~SkinnedDialog() override;

    kui::Skin* skin() const { return m_skin; }
    kui::Back* background() const { return m_background; }
    // Skin of this process, colour adjustment, captions from Lang.ini and the Alt keys.
    void applyLookAndLanguage();
    // The window's outer size in twips (frame included).
    void resizeTwips(int width, int height);

  protected:
    virtual void layoutClient() {}
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    void fitBackground();

    kui::Skin* m_skin = nullptr;
    kui::Back* m_background = nullptr;
};

}  // namespace korvan
