// The skin engine object, "Skin.mySkin": it lists its skins and re-skins a window by giving
// every Skin frame on it the chosen picture pair and colour set. The program calls it by name.
#pragma once

#include <QObject>
#include <QString>

namespace korvanskin {

class mySkin : public QObject {
    Q_OBJECT
    Q_PROPERTY(int SkinType READ SkinType WRITE setSkinType)

  public:
    explicit mySkin(QObject* parent = nullptr) : QObject(parent) {}

    Q_INVOKABLE int SkinCount() const;
    // 2052 gives the Chinese name, any other language the English one; "" for a bad index.
    Q_INVOKABLE QString SkinName(int index, int language) const;
    int SkinType() const { return m_type; }
    Q_INVOKABLE void setSkinType(int index) { m_type = index; }
    // Re-skins the window with the skin chosen by SkinType and hands the window back. A
    // SkinType outside the list leaves the window alone.
    Q_INVOKABLE QObject* ChangeSkin(QObject* window);

  private:
    int m_type = 0;
};

}  // namespace korvanskin
