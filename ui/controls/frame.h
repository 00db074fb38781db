// Frame: a group frame with a caption on its top edge, an optional second text on its bottom
// edge and an optional background picture. Outside the frame line (beside the texts) the
// container shows through.
#pragma once

#include <QPixmap>
#include <QWidget>

#include "ui/core/colorrule.h"

namespace kui {

class PropertyBag;

class Frame : public QWidget {
    Q_OBJECT

  public:
    explicit Frame(QWidget* parent = nullptr);
    ~Frame() override;

    void InitProperties();
    void ReadProperties(const PropertyBag& bag);
    void WriteProperties(PropertyBag& bag) const;

    OleColor BackColor() const { return m_backColor; }
    void setBackColor(OleColor c);
    OleColor BorderColor() const { return m_borderColor; }
    void setBorderColor(OleColor c);
    QString Caption() const { return m_caption; }
    void setCaption(const QString& caption);
    QString Text() const { return m_text; }
    void setText(const QString& text);
    OleColor ForeColor() const { return m_foreColor; }
    void setForeColor(OleColor c);
    OleColor TextColor() const { return m_textColor; }
    void setTextColor(OleColor c);
    QPixmap Picture() const { return m_picture; }
    void setPicture(const QPixmap& picture);
    bool Stretch() const { return m_stretch; }
    void setStretch(bool v);

    // Tints background, line and caption colours, from the colours they had before the first
    // adjustment, so that adjustments never compound.
    void AdjustRGB(double red, double green, double blue);

    // The rectangle of the frame line, moved in where a caption or text sits on it.
    QRect FrameRect() const;
    // Where children may go without covering the line or the texts.
    QRect ContentsRect() const;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    void setDefaults();
    void relayout();
    QString shownCaption() const;  // elided to the frame's width
    QRect captionBand() const;
    QRect textBand() const;

    OleColor m_backColor, m_borderColor, m_foreColor, m_textColor;
    QString m_caption, m_text;
    QPixmap m_picture;
    bool m_stretch;
    OleColor m_base[3] = {};
    bool m_hasBase = false;
};

}  // namespace kui
