// The optional skin engine: a plugin library (libSkin.so, standing for Skin.dll) that creates
// its engine object by the class name "Skin.mySkin". Missing or broken, it simply means that no
// skins are offered; nothing is shown to the user.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <memory>

class QWidget;

namespace kui {

inline constexpr const char* kSkinClassName = "Skin.mySkin";
inline constexpr const char* kSkinFileName = "Skin.dll";

// Where the plugin is looked for: beside the executable, then ../lib.
QStringList defaultSkinObjectDirs();

// Creates the object by its class name from the first library in `dirs` that makes it. The
// one retry the platform offers (registering the library in the application folder and
// trying again) becomes one more attempt with `appPath` + the library named by `fileName`.
std::unique_ptr<QObject> CreateSkinObject(const QString& className = kSkinClassName,
                                          const QString& fileName = kSkinFileName,
                                          const QStringList& dirs = defaultSkinObjectDirs(),
                                          const QString& appPath = QString());

// The engine's members, called by name.
class SkinEngine {
  public:
    SkinEngine() = default;
    explicit SkinEngine(std::unique_ptr<QObject> object) : m_object(std::move(object)) {}

    bool isValid() const { return bool(m_object); }
    QObject* object() const { return m_object.get(); }

    int SkinCount() const;                                   // 0 without an engine
    QString SkinName(int index, int language = 2052) const;  // "" when unknown
    bool setSkinType(int index);
    // Re-skins the window; returns the window to continue with (the one given when the
    // engine gives none back).
    QWidget* ChangeSkin(QWidget* window);

  private:
    std::unique_ptr<QObject> m_object;
};

}  // namespace kui
