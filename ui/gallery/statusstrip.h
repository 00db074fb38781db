// The gallery's status line: panels of text from right to left, the first taking the room
// that is left, drawn in the window's colours.
#pragma once

#include <QStringList>
#include <QWidget>

#include "core/colorrule.h"

namespace gallery {

class StatusStrip : public QWidget {
    Q_OBJECT

  public:
    explicit StatusStrip(QWidget* parent = nullptr);

    void setPanels(const QStringList& texts);
    void setPanelText(int index, const QString& text);
    void setColors(kui::OleColor start, kui::OleColor end, kui::OleColor line);

    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QStringList m_texts;
    kui::OleColor m_start, m_end, m_line;
};

}  // namespace gallery
