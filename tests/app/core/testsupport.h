// A private application folder, scratch folder and registry file for one test, so that no
// test ever reads or writes the real home.
#pragma once

#include "core/apppaths.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

namespace korvan::test {

class TempHome {
  public:
    TempHome();
    const AppPaths& paths() const { return paths_; }
    // A path inside the temporary folder (not the application folder).
    QString path(const QString& name) const;
    QString write(const QString& name, const QByteArray& bytes) const;
    static QByteArray read(const QString& path);

  private:
    QTemporaryDir dir_;
    AppPaths paths_;
};

}  // namespace korvan::test
