#include "windows/maillink.h"

#include <QDesktopServices>
#include <QLabel>
#include <QUrl>
#include <QUrlQuery>

#include "windows/shellstate.h"
#include "windows/windowtexts.h"

namespace korvan {

QLabel* MakeMailLabel(QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setTextFormat(Qt::RichText);
    label->setText(
        wintext::kMailLabel +
        QStringLiteral("<a href=\"mail\">%1</a>").arg(wintext::kMakerMail.toHtmlEscaped()));
    label->setCursor(Qt::PointingHandCursor);
    QObject::connect(label, &QLabel::linkActivated, label, [] {
        QUrl url(QStringLiteral("mailto:") + wintext::kMakerMail);
        QUrlQuery query;
        query.addQueryItem(QStringLiteral("subject"), wintext::kMailSubject + Shell().AppVersion);
        url.setQuery(query);
        QDesktopServices::openUrl(url);
    });
    return label;
}

}  // namespace korvan
