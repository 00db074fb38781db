// A fixed list of translatable texts (tab captions, button rows, hints), read like the
// QStringList it replaces. Each item is translated when it is used, so a list shows the
// language installed at that moment.
#pragma once

#include "text.h"

#include <QStringList>

#include <array>
#include <cstddef>

namespace korvan {

// Text beside a string literal, as QString takes it: "原因：" + kCause. Without these, both
// QString's and Text's own operator+ would fit and neither wins.
namespace i18n {
inline QString operator+(const char* a, const Text& b) {
    return QString::fromUtf8(a) + b.toString();
}
inline QString operator+(const Text& a, const char* b) {
    return a.toString() + QString::fromUtf8(b);
}
}  // namespace i18n

template <std::size_t N>
class TextList {
  public:
    template <typename... Texts>
    constexpr explicit TextList(Texts... texts) : m_texts{texts...} {}

    constexpr int size() const { return int(N); }
    QString at(int i) const { return m_texts[std::size_t(i)].toString(); }
    QString operator[](int i) const { return at(i); }
    const i18n::Text& text(int i) const { return m_texts[std::size_t(i)]; }
    // Walks the list as QStrings, each translated when reached.
    class Iterator {
      public:
        explicit Iterator(const i18n::Text* at) : m_at(at) {}
        QString operator*() const { return m_at->toString(); }
        Iterator& operator++() {
            ++m_at;
            return *this;
        }
        bool operator==(const Iterator&) const = default;

      private:
        const i18n::Text* m_at;
    };
    Iterator begin() const { return Iterator(m_texts.data()); }
    Iterator end() const { return Iterator(m_texts.data() + N); }

    QStringList toStringList() const {
        QStringList list;
        for (const i18n::Text& t : m_texts) list << t.toString();
        return list;
    }
    operator QStringList() const { return toStringList(); }  // NOLINT: used as a QStringList

  private:
    std::array<i18n::Text, N> m_texts;
};

template <typename... Texts>
TextList(Texts...) -> TextList<sizeof...(Texts)>;

template <std::size_t N>
bool operator==(const QStringList& list, const TextList<N>& texts) {
    return list == texts.toStringList();
}

}  // namespace korvan
