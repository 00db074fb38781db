// The ZELISP control as a host uses it, without a chip: creation, series, options, colours,
// persisted properties, dispatch by number, the option editor's widgets and scrolling.
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include "controltestsupport.h"
#include "optioneditor.h"
#include "ui/core/colorrule.h"
#include "ui/core/cscroll.h"
#include "zeldb.h"
#include "zelispcontrol.h"

using zel::control::OptionEditor;
using zel::control::ZelIspControl;
using zelisp::InvokeKind;
namespace dispid = zelisp::dispid;

namespace {

// Three rows in the first series, six in the second (the last with an invalid entry).
const char* const kSmallDb = R"([ZEL]
version=101
[TYPE]
type=0,1
0=三行 系列:1,3,21
1=六行 系列:1,3,21,24,25,99
[PAR]
1=1,0,MCU 时钟源：     ,外部晶振或时钟    ,内部RC振荡器
3=1,1,上电复位增加额外的复位延时：        ,是        ,否
21=2,7,冷启动后看门狗预分频数：            ,2,4,8,16,32,64,128,256
24=1,1,上电自动用有关参数启动看门狗：      ,是        ,否
25=1,1,空闭/睡眠状态停止看门狗计数：       ,是        ,否
99=1,0
)";

QColor Background(QWidget* w) {
    return w->palette().color(QPalette::Window);
}

}  // namespace

class ZelIspControlTest : public QObject {
    Q_OBJECT

  private:
    QTemporaryDir m_dir;
    QString m_db;

    void useSmallDb() { QVERIFY(zeltest::WriteGbkFile(m_db, QString::fromUtf8(kSmallDb))); }

  private slots:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        m_db = m_dir.filePath(QStringLiteral("zel.db"));
        qputenv("ZEL_DB", m_db.toLocal8Bit());
        qputenv("KORVAN_HOME", m_dir.path().toLocal8Bit());  // no Config.ini: no port table
    }

    // Every test starts from the database built into the control.
    void init() { QFile::remove(m_db); }

    void creationRefreshesAnOlderDatabaseAndListsTheSeries() {
        QVERIFY(zeltest::WriteGbkFile(m_db, QStringLiteral("[ZEL]\nversion=100\n")));
        ZelIspControl control;
        QCOMPARE(zel::DbVersion(m_db), zel::kEmbeddedDbVersion);
        QCOMPARE(control.ListCount(), int16_t(8));
        int16_t index = 0;
        QCOMPARE(control.List(index), QStringLiteral("ZEL51A 系列"));
        index = 7;
        QCOMPARE(control.List(index), QStringLiteral("ZEL51H 系列"));
        for (int16_t outside : {int16_t(8), int16_t(-1), int16_t(32767)})
            QCOMPARE(control.List(outside), QString());
        QCOMPARE(control.ListIndex(), int16_t(0));
        QCOMPARE(control.OptCount(), int16_t(6));  // 0,10,11,4,13,20
    }

    void emptyDatabaseGivesNoSeriesAndNoRows() {
        const zel::MemoryChipDatabase empty(zel::EmptyDb());
        const zel::SeriesCatalog series = zel::SeriesCatalog::of(*empty.load());
        zel::ZelContext context;
        context.Chip.StatusBytes.assign(32, 0x5A);
        context.Chip.OptionDescriptors = QStringList{"1-24-1", "21-25-2-0"};
        QWidget host;
        OptionEditor editor(&host, context, empty, series);
        editor.SetupScroll();
        editor.BuildOptionEditor();
        QCOMPARE(editor.OptCount(), int16_t(0));
        QCOMPARE(editor.OptValue(0), 0);
        QCOMPARE(editor.ListCount(), int16_t(0));
        QCOMPARE(editor.List(0), QString());
        QVERIFY(!editor.setListIndex(0));
        QCOMPARE(editor.scrollAreaTwips(), 30);
        QVERIFY(!editor.scroll()->Visible());
        editor.setOptValue(0, 1);
        editor.CommitOptions();
        QCOMPARE(context.Chip.StatusBytes, std::vector<uint8_t>(32, 0x5A));
    }

    void freshInstanceHasTheDesignColours() {
        ZelIspControl control;
        QCOMPARE(control.FendColor(), 0x80000008u);
        QCOMPARE(control.FillColor(), 0x80000005u);
        QCOMPARE(control.ForeColor(), 0x00EABB99u);
        QCOMPARE(control.BackColor(), 0x80000005u);
        // After a load without stored values every colour is its persisted default.
        control.ReadProperties({});
        QCOMPARE(control.FendColor(), 0x80000005u);
        QCOMPARE(Background(control.editor().rowWidgets(1).picS), kui::toQColor(kui::SysWindow));
    }

    void copyOptionReturnsFalseAndChangesNothing() {
        ZelIspControl control;
        control.ReadProperties({});
        QVERIFY(control.setListIndex(1) == zelisp::kOk);
        control.setOptValue(9, 3);
        const auto snapshot = [&] {
            QVariantMap props;
            control.WriteProperties(props);
            QList<int32_t> values;
            for (int16_t i = 0; i < control.OptCount(); ++i) values << control.OptValue(i);
            return std::tuple(props, values, control.ListIndex(), control.OptCount());
        };
        const auto before = snapshot();
        QCOMPARE(control.CopyOption(), zelisp::kFalse);
        QVariantList args;
        QVariant result;
        QCOMPARE(control.Invoke(dispid::CopyOption, InvokeKind::Method, args, result),
                 int(zelisp::kOk));
        QCOMPARE(result, QVariant::fromValue<short>(0));
        QVERIFY(snapshot() == before);
    }

    void fillColorRecoloursEvenRowsAndLaterRowsTakeTheirParity() {
        useSmallDb();
        ZelIspControl control;
        control.ReadProperties({});
        OptionEditor& editor = control.editor();
        QCOMPARE(editor.rowWidgetCount(), 3);
        const QColor odd = Background(editor.rowWidgets(1).picS);

        const zelisp::OleColor red = 0x000000FF, green = 0x0000FF00;
        control.setFillColor(red);
        for (int i : {0, 2}) {
            const auto& w = editor.rowWidgets(i);
            QCOMPARE(Background(w.picS), QColor(Qt::red));
            QCOMPARE(Background(w.Opt1), QColor(Qt::red));
            QCOMPARE(Background(w.Opt2), QColor(Qt::red));
        }
        QCOMPARE(Background(editor.rowWidgets(1).picS), odd);
        QCOMPARE(control.FillColor(), red);

        control.setFendColor(green);
        QCOMPARE(Background(editor.rowWidgets(1).picS), QColor(Qt::green));
        QCOMPARE(Background(editor.rowWidgets(1).Opt2), QColor(Qt::green));

        QCOMPARE(control.setListIndex(1), int(zelisp::kOk));
        QCOMPARE(editor.rowWidgetCount(), 6);
        QCOMPARE(Background(editor.rowWidgets(4).picS), QColor(Qt::red));
        QCOMPARE(Background(editor.rowWidgets(3).picS), QColor(Qt::green));
        QCOMPARE(Background(editor.rowWidgets(5).Opt1), QColor(Qt::green));
    }

    void rowsShowCaptionsChoicesAndInvalidEntriesInRed() {
        useSmallDb();
        ZelIspControl control;
        control.ReadProperties({});
        control.setListIndex(1);
        const OptionEditor& editor = control.editor();
        const auto& choice = editor.rowWidgets(1);
        QCOMPARE(choice.labS->text(), QStringLiteral("2、上电复位增加额外的复位延时：        "));
        QCOMPARE(choice.Opt1->text(), QStringLiteral("是"));
        QCOMPARE(choice.Opt2->text(), QStringLiteral("否"));
        QVERIFY(choice.Opt2->isChecked());  // polarity 1
        QVERIFY(!choice.Opt1->isHidden() && choice.Cbo1->isHidden());
        const auto& list = editor.rowWidgets(2);
        QVERIFY(list.Opt1->isHidden() && !list.Cbo1->isHidden());
        QCOMPARE(list.Cbo1->count(), 8);
        QCOMPARE(list.Cbo1->currentText(), QStringLiteral("256"));
        const auto& invalid = editor.rowWidgets(5);
        QCOMPARE(invalid.labS->text(), QStringLiteral("无效参数"));
        QCOMPARE(invalid.labS->palette().color(QPalette::WindowText), QColor(Qt::red));
        QCOMPARE(choice.labS->palette().color(QPalette::WindowText), QColor(Qt::black));
        QVERIFY(invalid.Opt1->isHidden() && invalid.Opt2->isHidden() && invalid.Cbo1->isHidden());
        QCOMPARE(control.OptValue(5), 0);
    }

    void fewerRowsStayBelowTheScrollingArea() {
        ZelIspControl control;
        control.ReadProperties({});
        control.setListIndex(1);  // ten rows
        QCOMPARE(control.OptCount(), int16_t(10));
        control.setListIndex(0);  // six rows
        OptionEditor& editor = control.editor();
        QCOMPARE(control.OptCount(), int16_t(6));
        QCOMPARE(editor.rowWidgetCount(), 10);
        for (int i = 6; i < 10; ++i)
            QVERIFY(editor.rowWidgets(i).picS->y() >= editor.scrollArea()->height());
        QVERIFY(editor.rowWidgets(5).picS->geometry().bottom() < editor.scrollArea()->height());
    }

    void clickOnTheWatchdogRowSwitchesItsDependants() {
        ZelIspControl control;
        control.ReadProperties({});
        control.setListIndex(1);  // 1,10,11,4,15,31,3,24,25,21
        control.resize(500, 300);
        control.show();
        QVERIFY(QTest::qWaitForWindowExposed(&control));
        OptionEditor& editor = control.editor();
        const auto& watchdog = editor.rowWidgets(7);
        QTest::mouseClick(watchdog.Opt1, Qt::LeftButton, {},
                          QPoint(5, watchdog.Opt1->height() / 2));
        QCOMPARE(control.OptValue(7), 1);
        QVERIFY(editor.rowWidgets(8).Opt1->isEnabled() && editor.rowWidgets(9).Cbo1->isEnabled());
        QTest::mouseClick(watchdog.Opt2, Qt::LeftButton, {},
                          QPoint(5, watchdog.Opt2->height() / 2));
        QCOMPARE(control.OptValue(7), 0);
        QVERIFY(!editor.rowWidgets(8).Opt1->isEnabled());
        QVERIFY(!editor.rowWidgets(8).Opt2->isEnabled());
        QVERIFY(!editor.rowWidgets(9).Cbo1->isEnabled());
        QVERIFY(editor.rowWidgets(6).Opt1->isEnabled());

        // The same through OptValue by number, and a list choice made with the widget.
        QVariantList args{short(7), 1};
        QVariant result;
        QCOMPARE(control.Invoke(dispid::OptValue, InvokeKind::PropertyPut, args, result),
                 int(zelisp::kOk));
        QVERIFY(editor.rowWidgets(9).Cbo1->isEnabled());
        QVERIFY(watchdog.Opt1->isChecked());
        editor.rowWidgets(9).Cbo1->setCurrentIndex(2);
        QCOMPARE(control.OptValue(9), 2);
    }

    void commPortThatDoesNotExistFailsOnlyAtStart() {
        ZelIspControl control;
        control.ReadProperties({});
        zeltest::EventLog log;
        control.Advise(&log);
        QCOMPARE(control.setCommPort(99), int(zelisp::kOk));
        QCOMPARE(control.CommPort(), int16_t(99));
        QVERIFY(log.events.empty());
        control.Start(2);
        QVERIFY(log.has(zelisp::eventid::Error, 1));
        QCOMPARE(log.textOf(zelisp::eventid::Error, 1), QStringLiteral("串行端口已打开或者无效"));
        QCOMPARE(control.Buzy(), zelisp::kFalse);
        control.Unadvise(&log);
    }

    void propertiesAreStoredOnlyWhenTheyDifferFromTheirDefaults() {
        QVariantMap bag{{QStringLiteral("Other"), 5}};
        {
            ZelIspControl control;
            control.ReadProperties(bag);
            control.WriteProperties(bag);
            QCOMPARE(bag, (QVariantMap{{QStringLiteral("Other"), 5}}));

            QSignalSpy changed(&control, &ZelIspControl::PropertyChanged);
            control.setFillColor(0x00123456);
            control.setForeColor(0x00EABB99);  // its default: changed, but not stored
            QCOMPARE(control.setCommPort(3), int(zelisp::kOk));
            QCOMPARE(control.setRTS(zelisp::kTrue), int(zelisp::kOk));
            QCOMPARE(changed.size(), 4);
            QCOMPARE(changed.at(0).at(0).toString(), QStringLiteral("FillColor"));
            control.WriteProperties(bag);
            QCOMPARE(bag.keys(), (QStringList{"CommPort", "FillColor", "Other", "RTS"}));
            QCOMPARE(bag.value("FillColor").toUInt(), 0x00123456u);
            QCOMPARE(bag.value("CommPort").toInt(), 3);
            QCOMPARE(bag.value("RTS").toBool(), true);
        }
        {
            // Stored as text, as a settings file gives them back.
            QVariantMap text;
            for (auto it = bag.cbegin(); it != bag.cend(); ++it)
                text.insert(it.key(), it.value().toString());
            ZelIspControl control;
            control.ReadProperties(text);
            QCOMPARE(control.FillColor(), 0x00123456u);
            QCOMPARE(control.CommPort(), int16_t(3));
            QCOMPARE(control.RTS(), zelisp::kTrue);
            QCOMPARE(control.FendColor(), 0x80000005u);
            QCOMPARE(Background(control.editor().rowWidgets(0).Opt1), QColor(0x56, 0x34, 0x12));
            control.setFillColor(0x80000005);
            control.setRTS(zelisp::kFalse);
            control.WriteProperties(text);
            QCOMPARE(text.keys(), (QStringList{"CommPort", "Other"}));
        }
    }

    void listIndexIsRefusedInDesignModeAndIgnoredOutOfRange() {
        ZelIspControl control;
        control.ReadProperties({});
        control.setAmbientUserMode(false);
        QCOMPARE(control.setListIndex(1), int(zelisp::kDesignMode));
        QVariantList args{1};
        QVariant result;
        QCOMPARE(control.Invoke(dispid::ListIndex, InvokeKind::PropertyPut, args, result),
                 int(zelisp::kDesignMode));
        QCOMPARE(control.ListIndex(), int16_t(0));
        control.setAmbientUserMode(true);
        for (int16_t ignored : {int16_t(8), int16_t(-1), int16_t(0)}) {
            QCOMPARE(control.setListIndex(ignored), int(zelisp::kOk));
            QCOMPARE(control.ListIndex(), int16_t(0));
            QCOMPARE(control.OptCount(), int16_t(6));
        }
        QCOMPARE(control.setListIndex(2), int(zelisp::kOk));
        QCOMPARE(control.OptCount(), int16_t(10));
        QCOMPARE(control.OptValue(9), 3);  // parameter 2, a list starting at 32768
    }

    void invokeReachesTheSameMembersAsDirectCalls() {
        ZelIspControl control;
        control.ReadProperties({});
        control.setFillColor(0x00010203);
        control.setCommPort(4);
        control.setRTS(zelisp::kTrue);
        const QList<std::pair<int32_t, QVariant>> gets = {
            {dispid::OptCount, QVariant::fromValue<short>(6)},
            {dispid::ListCount, QVariant::fromValue<short>(8)},
            {dispid::ListIndex, QVariant::fromValue<short>(0)},
            {dispid::BackColor, QVariant::fromValue<uint>(0x80000005)},
            {dispid::FillColor, QVariant::fromValue<uint>(0x00010203)},
            {dispid::FendColor, QVariant::fromValue<uint>(0x80000005)},
            {dispid::ForeColor, QVariant::fromValue<uint>(0x00EABB99)},
            {dispid::CommPort, QVariant::fromValue<short>(4)},
            {dispid::Buzy, QVariant::fromValue<short>(0)},
            {dispid::RTS, QVariant::fromValue<short>(-1)},
            {dispid::DownType, QVariant::fromValue<short>(0)},
            {dispid::success, QVariant::fromValue<short>(0)},
        };
        for (const auto& [id, expected] : gets) {
            QVariantList args;
            QVariant result;
            QCOMPARE(control.Invoke(id, InvokeKind::PropertyGet, args, result), int(zelisp::kOk));
            QCOMPARE(result, expected);
        }
        // Puts, and the gets that see them.
        const QList<std::pair<int32_t, QVariant>> puts = {
            {dispid::BackColor, 255},  {dispid::FillColor, 0x00FF00},
            {dispid::FendColor, 0x11}, {dispid::ForeColor, -2147483643},  // 0x80000005 signed
            {dispid::CommPort, 9},     {dispid::RTS, false},
            {dispid::ListIndex, 3}};
        for (const auto& [id, value] : puts) {
            QVariantList args{value};
            QVariant result;
            QCOMPARE(control.Invoke(id, InvokeKind::PropertyPut, args, result), int(zelisp::kOk));
        }
        QCOMPARE(control.BackColor(), 255u);
        QCOMPARE(control.FillColor(), 0x00FF00u);
        QCOMPARE(control.FendColor(), 0x11u);
        QCOMPARE(control.ForeColor(), 0x80000005u);
        QCOMPARE(control.CommPort(), int16_t(9));
        QCOMPARE(control.RTS(), zelisp::kFalse);
        QCOMPARE(control.ListIndex(), int16_t(3));

        QVariantList index{short(3)};
        QVariant name;
        QCOMPARE(control.Invoke(dispid::List, InvokeKind::PropertyGet, index, name),
                 int(zelisp::kOk));
        QCOMPARE(name.toString(), QStringLiteral("ZEL51D 系列"));

        QVariantList none;
        QVariant info;
        QCOMPARE(control.Invoke(dispid::McuInfo, InvokeKind::PropertyGet, none, info),
                 int(zelisp::kOk));
        const auto record = info.value<std::shared_ptr<zelisp::IZelInfo>>();
        QVERIFY(record);
        QVariantList baud{115200};
        QVariant ignored;
        QCOMPARE(record->Invoke(zelisp::infodispid::baud, InvokeKind::PropertyPut, baud, ignored),
                 int(zelisp::kOk));
        QCOMPARE(control.McuInfo()->baud(), 115200);  // every record shows the same state
        QVariantList optIndex{short(0)};
        QVariant text;
        QCOMPARE(
            record->Invoke(zelisp::infodispid::OptList, InvokeKind::PropertyGet, optIndex, text),
            int(zelisp::kOk));
        QCOMPARE(text.toString(), control.McuInfo()->OptList(0));

        // Data by number: SetData is always False, AppendData True when stored.
        QVariantList data{QByteArray(256, '\x11')};
        QVariant stored;
        QCOMPARE(control.Invoke(dispid::SetData, InvokeKind::Method, data, stored),
                 int(zelisp::kOk));
        QCOMPARE(stored, QVariant::fromValue<short>(0));
        QVariantList more{QVariantList{1, 2, 3}, 0x2000};
        QCOMPARE(control.Invoke(dispid::AppendData, InvokeKind::Method, more, stored),
                 int(zelisp::kOk));
        QCOMPARE(stored, QVariant::fromValue<short>(-1));
    }

    void invokeReportsBadCalls_data() {
        QTest::addColumn<int>("id");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QVariantList>("args");
        QTest::addColumn<int>("status");
        const int get = int(InvokeKind::PropertyGet), put = int(InvokeKind::PropertyPut);
        const int method = int(InvokeKind::Method);
        QTest::newRow("unknown id") << 0x12345 << get << QVariantList{} << 438;
        QTest::newRow("put read-only") << int(dispid::Buzy) << put << QVariantList{1} << 438;
        QTest::newRow("put McuInfo") << int(dispid::McuInfo) << put << QVariantList{1} << 438;
        QTest::newRow("put List") << int(dispid::List) << put << QVariantList{1, 2} << 438;
        QTest::newRow("put method") << int(dispid::Start) << put << QVariantList{1} << 438;
        QTest::newRow("missing arg") << int(dispid::Start) << method << QVariantList{} << 449;
        QTest::newRow("extra arg") << int(dispid::OptCount) << get << QVariantList{1} << 450;
        QTest::newRow("extra on Cancel")
            << int(dispid::CancelDown) << method << QVariantList{true, 1} << 450;
        QTest::newRow("text for number")
            << int(dispid::CommPort) << put << QVariantList{QStringLiteral("COM3")} << 13;
        QTest::newRow("16-bit overflow")
            << int(dispid::CommPort) << put << QVariantList{40000} << 6;
        QTest::newRow("byte overflow")
            << int(dispid::SetData) << method << QVariantList{QVariantList{1, 256}} << 6;
        QTest::newRow("number for bytes")
            << int(dispid::SetData) << method << QVariantList{12} << 13;
        QTest::newRow("OptValue put needs value")
            << int(dispid::OptValue) << put << QVariantList{short(0)} << 449;
    }

    void invokeReportsBadCalls() {
        QFETCH(int, id);
        QFETCH(int, kind);
        QFETCH(QVariantList, args);
        QFETCH(int, status);
        ZelIspControl control;
        control.ReadProperties({});
        QVariant result;
        QCOMPARE(control.Invoke(id, InvokeKind(kind), args, result), status);
        QCOMPARE(control.CommPort(), int16_t(1));
        QCOMPARE(control.DownType(), int16_t(0));
    }

    void scrollBarFollowsTheRowsAndResizeResetsIt() {
        ZelIspControl control;
        control.ReadProperties({});
        control.setListIndex(1);   // ten rows: 3930 twips
        control.resize(400, 100);  // 1500 twips: 2430 hidden, 6 steps and a part
        control.show();
        QVERIFY(QTest::qWaitForWindowExposed(&control));
        OptionEditor& editor = control.editor();
        kui::cScroll* scroll = editor.scroll();
        QVERIFY(scroll);
        QVERIFY(scroll->Visible());
        QCOMPARE(scroll->Max(), 7);
        QCOMPARE(scroll->LargeChange(), 3);
        const int barWidth = scroll->bar()->width();
        QCOMPARE(editor.scrollArea()->width(), 400 - barWidth);
        QCOMPARE(editor.rowWidgets(9).picS->width(), 400 - barWidth);

        scroll->Request(kui::cScroll::PageDown);
        QCOMPARE(scroll->Value(), 3);
        QCOMPARE(editor.scrollArea()->y(), -3 * 26);  // 390 twips per row at 15 twips a pixel

        control.resize(420, 120);
        QCOMPARE(scroll->Value(), 0);
        QCOMPARE(editor.scrollArea()->y(), 0);

        control.resize(420, 300);  // 4500 twips: everything fits
        QVERIFY(!scroll->Visible());
        QCOMPARE(scroll->Max(), 0);
        QCOMPARE(editor.scrollArea()->width(), 420);
        QCOMPARE(editor.rowWidgets(0).picS->width(), 420);
    }

    // Pictures of two series' editors; the choice columns must line up and no text may be cut.
    void editorPicturesShowAlignedColumns() {
        for (int16_t series : {int16_t(1), int16_t(2)}) {
            ZelIspControl control;
            control.ReadProperties({{QStringLiteral("FendColor"), 0x00F3E4D7u}});
            control.setListIndex(series);
            control.resize(480, 270);
            control.show();
            QVERIFY(QTest::qWaitForWindowExposed(&control));
            const OptionEditor& editor = control.editor();
            QMap<int, QSet<int>> firstByCaption, secondByCaption;
            for (int i = 0; i < control.OptCount(); ++i) {
                const auto& w = editor.rowWidgets(i);
                const QString caption = editor.model().row(i).captionField;
                const int captionWidth = zel::GbkWidth(caption);
                const QFontMetrics fm(w.labS->font());
                QVERIFY(w.labS->width() >= fm.horizontalAdvance(w.labS->text().trimmed()));
                QWidget* first = w.Opt1->isHidden() ? static_cast<QWidget*>(w.Cbo1) : w.Opt1;
                QVERIFY2(w.labS->x() + fm.horizontalAdvance(w.labS->text().trimmed()) < first->x(),
                         qPrintable(w.labS->text()));
                if (w.Opt1->isHidden()) continue;
                firstByCaption[captionWidth].insert(w.Opt1->x());
                secondByCaption[captionWidth].insert(w.Opt2->x());
                for (QRadioButton* b : {w.Opt1, w.Opt2}) {
                    QVERIFY2(b->width() >= b->sizeHint().width(), qPrintable(b->text()));
                    QVERIFY(b->geometry().bottom() < w.picS->height());
                }
                // The first choice's text ends before the second choice starts.
                QVERIFY(w.Opt1->x() + w.Opt1->sizeHint().width() <= w.Opt2->x());
            }
            for (const auto& lefts : firstByCaption) QCOMPARE(lefts.size(), 1);
            for (const auto& lefts : secondByCaption) QCOMPARE(lefts.size(), 1);
            QVERIFY(firstByCaption.size() == 2);

            const QString path =
                QDir(QStringLiteral(KORVAN_SCREENSHOT_DIR))
                    .filePath(QStringLiteral("zel-options-series%1.png").arg(series));
            QDir().mkpath(QStringLiteral(KORVAN_SCREENSHOT_DIR));
            QVERIFY(control.grab().save(path));
        }

        // Scrolled, with the window's bar beside (not over) the rows.
        ZelIspControl control;
        control.ReadProperties({});
        control.setListIndex(1);
        control.resize(480, 150);
        control.show();
        QVERIFY(QTest::qWaitForWindowExposed(&control));
        kui::cScroll* scroll = control.editor().scroll();
        scroll->Request(kui::cScroll::PageDown);
        QCOMPARE(control.editor().scrollArea()->y(), -3 * 26);
        const int barLeft = scroll->bar()->x();
        QVERIFY(scroll->bar()->isVisible());
        for (int i = 0; i < control.OptCount(); ++i) {
            QWidget* row = control.editor().rowWidgets(i).picS;
            QVERIFY(row->mapTo(&control, QPoint(row->width(), 0)).x() <= barLeft);
        }
        QVERIFY(control.grab().save(QDir(QStringLiteral(KORVAN_SCREENSHOT_DIR))
                                        .filePath(QStringLiteral("zel-options-scrolled.png"))));
    }
};

QTEST_MAIN(ZelIspControlTest)
#include "zelispcontrol_test.moc"
