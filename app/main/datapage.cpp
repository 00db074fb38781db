#include "main/datapage.h"

#include <QApplication>
#include <QClipboard>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTableView>
#include <QVBoxLayout>

#include "main/maintexts.h"
#include "main/messagegate.h"
#include "views/datasearch.h"
#include "views/rowedit.h"

namespace korvan {

namespace {
constexpr int kEditorMargin = 4;
constexpr int kSelectOnEdit = 48;  // a whole row's text
}  // namespace

DataPage::DataPage(CodeWorkspace& workspace, QWidget* parent)
    : QWidget(parent), workspace_(workspace), model_(this) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    grid_ = new QTableView(this);
    grid_->setObjectName(QStringLiteral("lsvData"));
    grid_->setModel(&model_);
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setShowGrid(false);
    grid_->setWordWrap(false);
    grid_->horizontalHeader()->hide();
    grid_->horizontalHeader()->setStretchLastSection(true);
    grid_->verticalHeader()->hide();
    // Fixed sizes keep a million rows cheap: the view never measures them.
    grid_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    // The address column follows its text (the skin may change the font); the view measures
    // only the rows near the visible ones, never a million.
    grid_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    grid_->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    grid_->setFont(fixed);
    grid_->verticalHeader()->setDefaultSectionSize(QFontMetrics(fixed).height() + 6);
    grid_->viewport()->installEventFilter(this);
    connect(grid_, &QTableView::doubleClicked, this, [this] { beginEdit(); });
    layout->addWidget(grid_);

    picNum_ = new QWidget(grid_->viewport());
    picNum_->setObjectName(QStringLiteral("picNum"));
    picNum_->setAutoFillBackground(true);
    auto* panel = new QHBoxLayout(picNum_);
    panel->setContentsMargins(2, 0, 2, 0);
    labNum_ = new QLabel(picNum_);
    labNum_->setObjectName(QStringLiteral("labNum"));
    labNum_->setFont(fixed);
    panel->addStretch();
    panel->addWidget(labNum_);
    picNum_->hide();

    edit_ = new QLineEdit(grid_->viewport());
    edit_->setObjectName(QStringLiteral("txtEdit"));
    edit_->setFont(fixed);
    edit_->setContextMenuPolicy(Qt::NoContextMenu);  // pasting would pass the key filter by
    edit_->installEventFilter(this);
    edit_->hide();
}

void DataPage::fillEditMenu(QMenu* menu) {
    editMenu_ = menu;
    editEntry_ = captions_.action(menu, maintext::kEditGrid, this, [this] { beginEdit(); });
    editSeparator_ = menu->addSeparator();
    captions_.action(menu, maintext::kFind, this, [this] { askAndFind(); });
    captions_.action(menu, maintext::kFindNext, this, [this] { findData(false); })
        ->setShortcut(QKeySequence(Qt::Key_F3));
    copyEntry_ = captions_.action(menu, maintext::kCopy, this, [this] { copyReceived(); });
    clearEntry_ = captions_.action(menu, maintext::kClearReceive, this, [this] {
        if (receiveBox_) receiveBox_->clear();
    });
    pageSelected(page_);
}

void DataPage::retranslate() {
    captions_.retranslate();
}

void DataPage::setReceiveBox(QPlainTextEdit* box) {
    receiveBox_ = box;
    box->viewport()->installEventFilter(this);
}

void DataPage::pageSelected(int page) {
    page_ = page;
    if (!editMenu_) return;
    editEntry_->setVisible(page == kGridPage);
    editSeparator_->setVisible(page == kGridPage);
    clearEntry_->setVisible(page == kTerminalPage);
    copyEntry_->setEnabled(page == kTerminalPage);
}

void DataPage::showGrid() {
    dropEdit();
    model_.reset(&workspace_.codeBuffer());
}

void DataPage::beginEdit() {
    if (model_.rowCount() == 0) return;
    int row = grid_->currentIndex().isValid() ? grid_->currentIndex().row() : 0;
    grid_->selectRow(row);
    grid_->scrollTo(model_.index(row, 1));
    editRow_ = row;
    const QString text = model_.rows().dataText(row);
    const QRect rowRect = grid_->visualRect(model_.index(row, 1));
    const int left = grid_->columnViewportPosition(1) + kEditorMargin;
    const int height = rowRect.height();
    edit_->setMaxLength(RowEditMaxLength(text));
    edit_->setText(text);
    edit_->setGeometry(left, rowRect.top(), grid_->viewport()->width() - left, height);
    labNum_->setText(model_.rows().addressText(row).trimmed());
    // The panel covers the address column, so the row's own address does not show beside it.
    picNum_->setGeometry(0, rowRect.top(), left - kEditorMargin / 2, height);
    picNum_->show();
    picNum_->raise();
    edit_->show();
    edit_->raise();
    edit_->setFocus();
    edit_->setSelection(0, kSelectOnEdit);
}

void DataPage::finishEdit() {
    if (editRow_ < 0) return;
    finishing_ = true;
    const int row = editRow_;
    const Bytes bytes = FinishRowEdit(edit_->text(), edit_->maxLength());
    editRow_ = -1;
    edit_->hide();
    picNum_->hide();
    finishing_ = false;
    workspace_.PatchCode(model_.rows().rowAddress(row), bytes);
    model_.rowChanged(row);
    grid_->setFocus();
    emit codeEdited();
}

void DataPage::dropEdit() {
    if (finishing_) return;
    editRow_ = -1;
    edit_->hide();
    picNum_->hide();
}

bool DataPage::filterEditKey(QKeyEvent* event) {
    QChar key;
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            key = editkey::kEnter;
            break;
        case Qt::Key_Backspace:
            key = editkey::kBackspace;
            break;
        case Qt::Key_Escape:
            dropEdit();
            return true;
        default:
            // Keys without a character (arrows, Home, End, Delete) move or remove as usual.
            if (event->text().isEmpty() || event->key() == Qt::Key_Delete) return false;
            key = event->text().at(0);
    }
    const int caret = edit_->hasSelectedText() ? edit_->selectionStart() : edit_->cursorPosition();
    const EditKeyVerdict verdict = FilterRowEditKey(edit_->text(), caret, edit_->maxLength(), key);
    switch (verdict.kind) {
        case EditKeyVerdict::Finish:
            finishEdit();
            return true;
        case EditKeyVerdict::Refuse:
            return true;
        case EditKeyVerdict::Take:
            if (key == editkey::kBackspace) return false;
            edit_->insert(QString(verdict.key));
            return true;
    }
    return true;
}

bool DataPage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == edit_) {
        if (event->type() == QEvent::KeyPress && editRow_ >= 0)
            return filterEditKey(static_cast<QKeyEvent*>(event));
        // Leaving the box any other way than Enter drops the change.
        if (event->type() == QEvent::FocusOut && editRow_ >= 0) dropEdit();
        return false;
    }
    if (watched == grid_->viewport() && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::RightButton && editMenu_) {
        editMenu_->popup(static_cast<QMouseEvent*>(event)->globalPosition().toPoint());
        return true;
    }
    if (receiveBox_ && watched == receiveBox_->viewport() &&
        event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(event)->button() == Qt::RightButton && editMenu_) {
        receiveBox_->setFocus();
        editMenu_->popup(static_cast<QMouseEvent*>(event)->globalPosition().toPoint());
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void DataPage::askAndFind() {
    QInputDialog dialog(window());
    dialog.setWindowTitle(maintext::kFindTitle);
    dialog.setLabelText(maintext::kFindPrompt);
    dialog.setTextValue(searchText_);
    if (dialog.exec() != QDialog::Accepted || dialog.textValue().isEmpty()) return;
    searchText_ = dialog.textValue();
    findData(true);
}

void DataPage::findData(bool fromStart) {
    if (searchText_.isEmpty()) return;
    if (fromStart) lastHit_ = 0;
    if (page_ == kGridPage) {
        lastHit_ = FindGridRow(model_.rows(), lastHit_, searchText_);
        if (lastHit_ > 0) {
            const QModelIndex hit = model_.index(int(lastHit_ - 1), 1);
            grid_->setFocus();
            grid_->setCurrentIndex(hit);
            grid_->selectRow(hit.row());
            grid_->scrollTo(hit);
            return;
        }
    } else {
        const QString text = receiveBox_ ? receiveBox_->toPlainText() : QString();
        lastHit_ = FindInText(text, lastHit_, searchText_);
        if (lastHit_ > 0) {
            QTextCursor cursor(receiveBox_->document());
            cursor.setPosition(int(lastHit_ - 1));
            cursor.setPosition(int(lastHit_ - 1 + searchText_.size()), QTextCursor::KeepAnchor);
            receiveBox_->setFocus();
            receiveBox_->setTextCursor(cursor);
            return;
        }
    }
    lastHit_ = 0;
    AskUser(maintext::kFindDone, 10);
}

void DataPage::copyReceived() {
    if (!receiveBox_) return;
    QClipboard* clipboard = QApplication::clipboard();
    clipboard->clear();
    const QString selected = receiveBox_->textCursor().selectedText();
    clipboard->setText(selected.isEmpty() ? receiveBox_->toPlainText() : selected);
}

}  // namespace korvan
