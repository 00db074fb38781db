// The page "缓存数据": the code buffer as a hexadecimal grid with its in-place row editor, the
// search over the grid (or the terminal's receive box, on the other pages) and the Edit menu
// entries that go with them.
#pragma once

#include "core/codeworkspace.h"
#include "main/codegridmodel.h"
#include "windows/languagecaptions.h"

#include <QWidget>

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QTableView;

namespace korvan {

class DataPage : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kGridPage = 3;
    static constexpr int kTerminalPage = 4;

    DataPage(CodeWorkspace& workspace, QWidget* parent = nullptr);

    // Adds the Edit menu's entries; the page opens this menu on a right-button release.
    void fillEditMenu(QMenu* menu);
    // The Edit menu's entries in the language installed now.
    void retranslate();
    // The main tab strip's page changed: the Edit menu and the search follow it.
    void pageSelected(int page);
    // The terminal's receive box, searched on every page but the grid's.
    // A right-button press on it opens the Edit menu instead of the box's own menu.
    void setReceiveBox(QPlainTextEdit* box);

    // Rebuilds the grid from the code buffer.
    void showGrid();
    // Opens the editor over the selected row (nothing on an empty grid).
    void beginEdit();
    // Asks for the text, then searches from the start; `findNext` goes on after the last hit.
    void askAndFind();
    void findData(bool fromStart);
    void setSearchText(const QString& text) { searchText_ = text; }
    qsizetype lastHit() const { return lastHit_; }

    QTableView* grid() const { return grid_; }
    QLineEdit* editor() const { return edit_; }
    QWidget* addressPanel() const { return picNum_; }

  signals:
    // A row was written into the code buffer.
    void codeEdited();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool filterEditKey(QKeyEvent* event);
    void finishEdit();
    void dropEdit();
    void copyReceived();

    CodeWorkspace& workspace_;
    CodeGridModel model_;
    QTableView* grid_ = nullptr;
    QLineEdit* edit_ = nullptr;
    QWidget* picNum_ = nullptr;
    QLabel* labNum_ = nullptr;
    int editRow_ = -1;
    bool finishing_ = false;

    QMenu* editMenu_ = nullptr;
    QAction* editEntry_ = nullptr;
    QAction* editSeparator_ = nullptr;
    QAction* copyEntry_ = nullptr;
    QAction* clearEntry_ = nullptr;
    QPlainTextEdit* receiveBox_ = nullptr;
    int page_ = 0;

    QString searchText_;
    LanguageCaptions captions_;
    qsizetype lastHit_ = 0;
};

}  // namespace korvan
