// One title button of the Skin control (close, maximise/restore, minimise), drawn from a
// four-state strip of the skin picture: normal, hover, pressed, disabled.
#pragma once

#include <QWidget>

namespace kui {

class cMask;

class SkinButton : public QWidget {
    Q_OBJECT

  public:
    SkinButton(int index, const cMask* mask, QWidget* parent);

    int index() const { return m_index; }
    void setLocation(int loc);  // resizes the button to one state image of the strip
    int location() const { return m_loc; }
    int state() const;

  signals:
    void clicked(int index);

  protected:
    void paintEvent(QPaintEvent*) override;
    void enterEvent(QEnterEvent*) override;
    void leaveEvent(QEvent*) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void changeEvent(QEvent* e) override;

  private:
    int m_index;
    const cMask* m_mask;
    int m_loc = 0;
    bool m_hover = false;
    bool m_down = false;
};

}  // namespace kui
