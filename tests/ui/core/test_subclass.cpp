#include <QApplication>
#include <QKeyEvent>
#include <QWidget>
#include <QtTest>
#include <memory>

#include "ui/core/csupperclass.h"
#include "ui/core/csupperhook.h"

using namespace kui;

namespace {

constexpr auto kUser1 = QEvent::Type(QEvent::User + 1);
constexpr auto kUser2 = QEvent::Type(QEvent::User + 2);

QStringList g_log;

// A window that records the events its own handler sees and answers User+1 with true.
class Probe : public QWidget {
  protected:
    bool event(QEvent* e) override {
        if (e->type() >= QEvent::User) {
            g_log << QString("window %1").arg(e->type() - QEvent::User);
            return e->type() == kUser1;
        }
        return QWidget::event(e);
    }
};

class Sink : public iSupperClass {
  public:
    explicit Sink(QString name) : m_name(std::move(name)) {}
    bool swallow = false;
    qint64 afterSaw = -1;
    int befores = 0;

    void Before(bool& handled, qint64&, QObject*, QEvent* e) override {
        ++befores;
        if (e->type() >= QEvent::User) g_log << m_name + " before";
        handled = swallow;
    }
    void After(qint64& lReturn, QObject*, QEvent* e) override {
        if (e->type() >= QEvent::User) g_log << m_name + " after";
        afterSaw = lReturn;
    }

  private:
    QString m_name;
};

bool send(QObject* to, QEvent::Type type) {
    QEvent e(type);
    return QCoreApplication::sendEvent(to, &e);
}

}  // namespace

class TestSubclass : public QObject {
    Q_OBJECT

  private slots:
    void init() { g_log.clear(); }

    void addingTwiceKeepsOneEntry() {
        cSupperClass sc;
        QVERIFY(sc.AddBeforeMsgs({kUser1, kUser2}));
        QVERIFY(!sc.AddBeforeMsgs({kUser1}));
        QVERIFY(!sc.AddBeforeMsgs({kUser2, QEvent::Resize}));  // one of two was new
        QVERIFY(sc.HasBeforeMsgs(QEvent::Resize));
        QVERIFY(sc.AddAfterMsgs({kUser1}));
        QVERIFY(!sc.AddAfterMsgs({kUser1}));
    }

    void removingTheOnlyMessageEmptiesTheRoute() {
        Probe w;
        Sink sink("s");
        cSupperClass sc;
        QVERIFY(sc.Subclass(&w, &sink));
        sc.AddBeforeMsgs({kUser1});
        QCOMPARE(sc.beforeCount(), 1);
        QVERIFY(sc.RemoveBeforeMsg(kUser1));
        QVERIFY(!sc.RemoveBeforeMsg(kUser1));
        QVERIFY(!sc.HasBeforeMsgs(kUser1));
        QCOMPARE(sc.beforeCount(), 0);
        send(&w, kUser1);
        QCOMPARE(g_log, QStringList{"window 1"});
    }

    void beforeAndAfterAroundTheWindow() {
        Probe w;
        Sink sink("s");
        cSupperClass sc;
        sc.Subclass(&w, &sink);
        sc.AddBeforeMsgs({kUser1});
        sc.AddAfterMsgs({kUser1, kUser2});
        QVERIFY(send(&w, kUser1));
        QCOMPARE(g_log, (QStringList{"s before", "window 1", "s after"}));
        QCOMPARE(sink.afterSaw, 1);
        g_log.clear();
        send(&w, kUser2);
        QCOMPARE(g_log, (QStringList{"window 2", "s after"}));  // delivered once only
        QCOMPARE(sink.afterSaw, 0);
    }

    void handledBeforeSkipsWindowAndAfter() {
        Probe w;
        Sink sink("s");
        sink.swallow = true;
        cSupperClass sc;
        sc.Subclass(&w, &sink);
        sc.AddBeforeMsgs({kUser2});
        sc.AddAfterMsgs({kUser2});
        QVERIFY(send(&w, kUser2));
        QCOMPARE(g_log, QStringList{"s before"});
    }

    void allBeforeMsgsRoutesEverything() {
        Probe w;
        Sink sink("s");
        cSupperClass sc;
        sc.Subclass(&w, &sink);
        sc.AddBeforeMsgs({kUser1});
        sc.setAllBeforeMsgs(true);
        QCOMPARE(sc.beforeCount(), -1);
        send(&w, kUser2);
        send(&w, QEvent::Type(QEvent::User + 7));
        QCOMPARE(g_log, (QStringList{"s before", "window 2", "s before", "window 7"}));
        sc.setAllBeforeMsgs(false);
        g_log.clear();
        send(&w, kUser2);
        QCOMPARE(g_log, QStringList{"window 2"});
    }

    void laterWatcherIsOutermost() {
        Probe w;
        Sink inner("inner"), outer("outer");
        cSupperClass a, b;
        a.Subclass(&w, &inner);
        b.Subclass(&w, &outer);
        for (cSupperClass* sc : {&a, &b}) {
            sc->AddBeforeMsgs({kUser1});
            sc->AddAfterMsgs({kUser1});
        }
        send(&w, kUser1);
        QCOMPARE(g_log, (QStringList{"outer before", "inner before", "window 1", "inner after",
                                     "outer after"}));
        // The outer one swallowing hides the event from everything inside it.
        g_log.clear();
        outer.swallow = true;
        send(&w, kUser1);
        QCOMPARE(g_log, QStringList{"outer before"});
        QCOMPARE(cSupperClass::recordCount(), 1);
    }

    void subclassTwiceFails() {
        Probe w, w2;
        Sink sink("s");
        cSupperClass sc;
        QVERIFY(sc.Subclass(&w, &sink));
        QVERIFY(!sc.Subclass(&w2, &sink));
        QCOMPARE(sc.hwnd(), &w);
        QVERIFY(sc.Unsubclass());
        QVERIFY(!sc.Unsubclass());
        QVERIFY(!cSupperClass::isSubclassed(&w));
        QVERIFY(!sc.CallOrigWndProc(nullptr).has_value());
    }

    void destroyedWindowReleasesItsRecord() {
        const int before = cSupperClass::recordCount();
        Sink sink("s");
        cSupperClass sc;
        auto w = std::make_unique<Probe>();
        QVERIFY(sc.Subclass(w.get(), &sink));
        sc.setAllBeforeMsgs(true);
        QVERIFY(cSupperClass::isSubclassed(w.get()));
        QCOMPARE(cSupperClass::recordCount(), before + 1);
        w.reset();
        QCOMPARE(cSupperClass::recordCount(), before);
        QCOMPARE(sc.hwnd(), nullptr);
        QCOMPARE(sc.beforeCount(), 0);
        QVERIFY(sc.Unsubclass());  // only clears the object's own fields
        QCOMPARE(cSupperClass::recordCount(), before);
        // The object can watch a new window afterwards.
        Probe again;
        QVERIFY(sc.Subclass(&again, &sink));
    }

    void callOrigWndProcBypassesWatchers() {
        Probe w;
        Sink sink("s");
        sink.swallow = true;
        cSupperClass sc;
        sc.Subclass(&w, &sink);
        sc.setAllBeforeMsgs(true);
        QEvent e(kUser1);
        QCOMPARE(sc.CallOrigWndProc(&e), std::optional<bool>(true));
        QCOMPARE(g_log, QStringList{"window 1"});
    }
};

namespace {

class HookSink : public iSupperHook {
  public:
    bool swallowKeys = false;
    bool wantAfter = false;
    QStringList seen;
    void Before(bool& handled, qint64&, QObject*, QEvent* e) override {
        if (e->type() == QEvent::KeyPress) {
            seen << "before";
            handled = swallowKeys;
        }
    }
    void After(qint64& r, QObject*, QEvent*) override { seen << QString("after %1").arg(r); }
    bool WantsAfter(QObject*, QEvent* e) override {
        return wantAfter && e->type() == QEvent::KeyPress;
    }
};

class KeyProbe : public QWidget {
  public:
    QStringList* log = nullptr;

  protected:
    void keyPressEvent(QKeyEvent* e) override {
        *log << "widget";
        e->accept();
    }
};

}  // namespace

class TestHook : public QObject {
    Q_OBJECT

  private slots:
    void hookSwallowsAndReportsAfter() {
        HookSink sink;
        KeyProbe w;
        w.log = &sink.seen;
        cSupperHook hook;
        QVERIFY(!hook.Unhook());
        QVERIFY(hook.Hook(cSupperHook::WH_KEYBOARD, &sink));
        QVERIFY(!hook.Hook(cSupperHook::WH_MSGFILTER, &sink));
        QCOMPARE(hook.HookType(), int(cSupperHook::WH_KEYBOARD));

        QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a");
        QApplication::sendEvent(&w, &press);
        QCOMPARE(sink.seen, (QStringList{"before", "widget"}));

        sink.seen.clear();
        sink.wantAfter = true;
        QKeyEvent again(QEvent::KeyPress, Qt::Key_B, Qt::NoModifier, "b");
        QApplication::sendEvent(&w, &again);
        QCOMPARE(sink.seen, (QStringList{"before", "widget", "after 1"}));

        sink.seen.clear();
        sink.swallowKeys = true;
        QKeyEvent third(QEvent::KeyPress, Qt::Key_C, Qt::NoModifier, "c");
        QApplication::sendEvent(&w, &third);
        QCOMPARE(sink.seen, QStringList{"before"});

        QVERIFY(hook.Unhook());
        sink.seen.clear();
        QKeyEvent fourth(QEvent::KeyPress, Qt::Key_D, Qt::NoModifier, "d");
        QApplication::sendEvent(&w, &fourth);
        QCOMPARE(sink.seen, QStringList{"widget"});
    }

    void mouseHookIgnoresKeys() {
        QVERIFY(cSupperHook::typeSees(cSupperHook::WH_MOUSE, QEvent::MouseButtonPress));
        QVERIFY(!cSupperHook::typeSees(cSupperHook::WH_MOUSE, QEvent::KeyPress));
        QVERIFY(cSupperHook::typeSees(cSupperHook::WH_MSGFILTER, QEvent::Paint));
    }
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    TestSubclass a;
    TestHook b;
    return QTest::qExec(&a, argc, argv) | QTest::qExec(&b, argc, argv);
}

#include "test_subclass.moc"
