// The captions of a window that follow the language. Each is set when it is bound and set
// again by retranslate(), which a window calls on QEvent::LanguageChange before it lays the
// captions of Lang.ini over them. A caption whose widget is gone is skipped.
#pragma once

#include "text.h"

#include <QAction>
#include <QMenu>
#include <QObject>
#include <QPointer>

#include <functional>
#include <utility>
#include <vector>

namespace korvan {

class LanguageCaptions {
  public:
    // Calls `apply` now and at every retranslate() while `target` lives.
    void bind(QObject* target, std::function<void()> apply) {
        apply();
        m_entries.emplace_back(target, std::move(apply));
    }
    // setText(text) for labels, check boxes, push buttons and actions.
    template <class Widget>
    Widget* text(Widget* widget, const i18n::Text& text) {
        bind(widget, [widget, text] { widget->setText(text); });
        return widget;
    }
    // setCaption(text) for the skinned buttons and frames.
    template <class Widget>
    Widget* caption(Widget* widget, const i18n::Text& text) {
        bind(widget, [widget, text] { widget->setCaption(text); });
        return widget;
    }
    // setTitle(text) for menus.
    template <class Menu>
    Menu* title(Menu* menu, const i18n::Text& text) {
        bind(menu, [menu, text] { menu->setTitle(text); });
        return menu;
    }

    // An action or a submenu of `menu` (a QMenu or a QMenuBar) captioned `text`; the other
    // arguments are those of QMenu::addAction after the text.
    template <class Menu, class... Args>
    QAction* action(Menu* menu, const i18n::Text& text, Args&&... args) {
        return this->text(menu->addAction(QString(), std::forward<Args>(args)...), text);
    }
    template <class Menu>
    QMenu* menu(Menu* parent, const i18n::Text& text) {
        return title(parent->addMenu(QString()), text);
    }

    void retranslate() const {
        for (const auto& [target, apply] : m_entries)
            if (target) apply();
    }

  private:
    std::vector<std::pair<QPointer<QObject>, std::function<void()>>> m_entries;
};

}  // namespace korvan
