// The skins the engine offers: display names, the picture pair and the colours of every kind
// of control.
#pragma once

#include <QString>
#include <QVariantMap>
#include <QVector>

namespace korvanskin {

struct EngineTheme {
    QString nameChinese;
    QString nameEnglish;
    QString picture;      // resource path of the skin picture
    QString maskPicture;  // and of its marker picture
    QVariantMap colors;   // control kind -> ChangeColor arguments
};

const QVector<EngineTheme>& engineThemes();

}  // namespace korvanskin
