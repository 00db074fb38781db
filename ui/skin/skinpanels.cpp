#include "skinpanels.h"

#include <QStringList>

namespace kui {

namespace {

constexpr int kFirstPanelLeft = 6;
constexpr int kTextInset = 8;
constexpr int kDefaultExtra = 20;

void applyOption(StatusPanel& panel, const QString& option) {
    if (option.size() < 2) return;
    const QString value = option.mid(1).trimmed();
    bool ok = false;
    switch (option.at(0).unicode()) {
        case '#': {
            const uint c = value.toUInt(&ok, 16);
            if (ok) panel.color = OleColor(c);
            break;
        }
        case '@': {
            const int w = value.toInt(&ok);
            if (ok && w >= 0) panel.width = w;
            break;
        }
        case '%': {
            const int f = value.toInt(&ok);
            if (ok) panel.format = f;
            break;
        }
        default:
            break;
    }
}

}  // namespace

QVector<StatusPanel> parsePanels(const QString& panels) {
    QVector<StatusPanel> out;
    if (panels.isEmpty()) return out;
    const QStringList items = panels.split(kPanelSeparator);
    for (const QString& item : items) {
        StatusPanel panel;
        const int at = item.indexOf(QLatin1String("%#"));
        panel.text = at < 0 ? item : item.left(at);
        if (at >= 0) {
            panel.options = item.mid(at + 2);
            for (const QString& option : panel.options.split(QLatin1Char(';')))
                applyOption(panel, option.trimmed());
        }
        out.append(panel);
    }
    return out;
}

QString joinPanels(const QVector<StatusPanel>& panels) {
    QStringList items;
    for (const StatusPanel& p : panels)
        items << (p.options.isEmpty() ? p.text : p.text + QLatin1String("%#") + p.options);
    return items.join(kPanelSeparator);
}

QVector<PanelPlace> layoutPanels(const QVector<StatusPanel>& panels, const QFontMetrics& metrics,
                                 int right, int top, int bottom) {
    QVector<PanelPlace> places(panels.size());
    int x = right;
    for (int i = int(panels.size()) - 1; i >= 0; --i) {
        PanelPlace& place = places[i];
        const StatusPanel& panel = panels[i];
        int left;
        if (i == 0) {
            left = kFirstPanelLeft;
            place.format = 0;
        } else {
            const int width = panel.width >= 0
                                  ? panel.width
                                  : metrics.horizontalAdvance(panel.text) + kDefaultExtra;
            left = x - width;
            place.format = panel.format;
            place.separator = true;
        }
        place.rect = QRect(QPoint(left, top), QPoint(x - 1, bottom - 1));
        place.textRect = place.rect.adjusted(kTextInset, 0, -kTextInset, 0);
        x = left;
    }
    return places;
}

}  // namespace kui
