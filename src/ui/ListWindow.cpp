#include "stations/ByteLines.h"
#include "ui/ListWindow.h"

#include <QIcon>
#include <QPixmap>

#include "maps/SymbolArt.h"
#include "platform/qt/QtSurface.h"

#include <algorithm>
#include <QApplication>
#include <QBrush>
#include <QKeyEvent>
#include <QColor>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTableView>
#include <QVBoxLayout>

namespace velmora {

int ListTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int ListTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(model_.Columns().size());
}

QVariant ListTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || static_cast<size_t>(index.row()) >= rows_.size()) return {};
    const size_t row = rows_[static_cast<size_t>(index.row())];
    if (row >= model_.RowCount()) return {};
    const size_t column = static_cast<size_t>(index.column());
    switch (role) {
        case Qt::DisplayRole: return QString::fromStdString(DisplayText(model_.Cell(row, column).text));
        case Qt::TextAlignmentRole:
            return model_.Columns()[column].kind == CellKind::kNumber ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                                                                       : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
        case Qt::ForegroundRole:
            if (const auto c = model_.Colour(row)) return QBrush(QColor(c->r, c->g, c->b));
            return {};
        case Qt::DecorationRole: {
            const auto symbol = model_.CellSymbol(row, column);
            if (!symbol) return {};
            const uint16_t key = static_cast<uint16_t>((uint8_t(symbol->first) << 8) | uint8_t(symbol->second));
            auto it = symbolIcons_.find(key);
            if (it == symbolIcons_.end()) {
                QtSurface surface(16, 16, 2.0);
                SymbolArt::Paint(surface, {8, 8}, symbol->first, symbol->second);
                QImage image = surface.Finish();
                image.setDevicePixelRatio(2.0);
                it = symbolIcons_.emplace(key, QIcon(QPixmap::fromImage(image))).first;
            }
            return it->second;
        }
        default: return {};
    }
}

QVariant ListTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal) return {};
    if (section < 0 || static_cast<size_t>(section) >= model_.Columns().size()) return {};
    return QString::fromStdString(model_.Columns()[static_cast<size_t>(section)].title);
}

void ListTableModel::sort(int column, Qt::SortOrder order) {
    sortColumn_ = column;
    ascending_ = order == Qt::AscendingOrder;
    Update(true);
}

void ListTableModel::SetFilter(const QString& text) {
    filter_ = text.toStdString();
    Update(true);
}

void ListTableModel::Update(bool force) {
    if (!model_.RefreshIfDirty() && !force) return;
    beginResetModel();
    rows_ = ViewRows(model_, filter_, sortColumn_, ascending_);
    endResetModel();
}

ListWindow::ListWindow(ListModel& model, QWidget* parent) : QWidget(parent), model_(model), table_(model) {
    setWindowTitle(QString::fromStdString(std::string(model.Title())));
    setObjectName("ListWindow");
    auto* layout = new QVBoxLayout(this);
    filter_ = new QLineEdit(this);
    filter_->setPlaceholderText("Filter");
    filter_->setClearButtonEnabled(true);
    summary_ = new QLabel(this);
    view_ = new QTableView(this);
    view_->setModel(&table_);
    view_->setSortingEnabled(true);
    view_->sortByColumn(-1, Qt::AscendingOrder);
    view_->setSelectionBehavior(QAbstractItemView::SelectRows);
    view_->setAlternatingRowColors(true);
    view_->verticalHeader()->setVisible(false);
    view_->verticalHeader()->setDefaultSectionSize(20);
    // Columns open as wide as their content; the last one does not stretch.
    view_->horizontalHeader()->setStretchLastSection(false);
    view_->setIconSize(QSize(16, 16));
    layout->addWidget(filter_);
    layout->addWidget(view_);
    layout->addWidget(summary_);
    QObject::connect(filter_, &QLineEdit::textChanged, this, [this](const QString& t) { table_.SetFilter(t); });
    // Changes are shown at most twice a second, however many arrive.
    refresh_.setInterval(500);
    QObject::connect(&refresh_, &QTimer::timeout, this, [this] { RefreshNow(); });
    refresh_.start();
    QObject::connect(view_, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
        const auto& rows = table_.Rows();
        if (onActivate && index.isValid() && size_t(index.row()) < rows.size()) onActivate(rows[size_t(index.row())]);
    });
    // The header's menu chooses the columns; the choice is kept per list.
    view_->horizontalHeader()->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(view_->horizontalHeader(), &QHeaderView::customContextMenuRequested, this,
                     [this](const QPoint& at) { ChooseColumns(at); });
    if (model.TakesKeys()) view_->installEventFilter(this);
    table_.Update(true);
    summary_->setText(QString::fromStdString(model.Summary()));
    view_->resizeColumnsToContents();
    QObject::connect(view_->horizontalHeader(), &QHeaderView::sortIndicatorChanged, this, [this] { StateChanged(); });
    QObject::connect(view_->horizontalHeader(), &QHeaderView::sectionResized, this, [this] { StateChanged(); });
}

ListWindowState ListWindow::State() const {
    ListWindowState s;
    s.sortColumn = table_.SortColumn();
    s.ascending = table_.Ascending();
    const size_t columns = std::min(model_.Columns().size(), ListWindowState::kColumns);
    for (size_t c = 0; c < columns; ++c) {
        if (view_->isColumnHidden(int(c))) s.hiddenColumns |= 1u << c;
        else s.widths[c] = static_cast<int16_t>(std::min(view_->columnWidth(int(c)), 3999));
    }
    return s;
}

void ListWindow::Apply(const ListWindowState& s) {
    const size_t columns = std::min(model_.Columns().size(), ListWindowState::kColumns);
    if (s.sortColumn >= 0 && size_t(s.sortColumn) < columns)
        view_->sortByColumn(s.sortColumn, s.ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
    for (size_t c = 0; c < columns; ++c) {
        view_->setColumnHidden(int(c), (s.hiddenColumns >> c) & 1u);
        if (s.widths[c] > 0) view_->setColumnWidth(int(c), s.widths[c]);
    }
}

void ListWindow::ChooseColumns(const QPoint& at) {
    QMenu menu(this);
    for (size_t c = 0; c < model_.Columns().size(); ++c) {
        QAction* a = menu.addAction(QString::fromStdString(model_.Columns()[c].title));
        a->setCheckable(true);
        a->setChecked(!view_->isColumnHidden(int(c)));
        QObject::connect(a, &QAction::toggled, this, [this, c](bool on) { ShowColumn(int(c), on); });
    }
    menu.exec(view_->horizontalHeader()->mapToGlobal(at));
}

void ListWindow::ShowColumn(int column, bool shown) {
    view_->setColumnHidden(column, !shown);
    StateChanged();
}

bool ListWindow::KeyOnSelection(char key) {
    const auto& rows = table_.Rows();
    QModelIndexList selected = view_->selectionModel()->selectedRows();
    std::sort(selected.begin(), selected.end(), [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
    std::vector<size_t> chosen;
    bool taken = !selected.isEmpty();
    for (const QModelIndex& index : selected) {
        if (size_t(index.row()) >= rows.size()) taken = false;
        else chosen.push_back(rows[size_t(index.row())]);
    }
    taken = model_.RowsKey(chosen, key) && taken;
    if (!taken) QApplication::beep();
    RefreshNow();
    return taken;
}

bool ListWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched != view_ || event->type() != QEvent::KeyPress) return QWidget::eventFilter(watched, event);
    const auto* k = static_cast<QKeyEvent*>(event);
    char key = 0;
    if (k->key() == Qt::Key_Backspace) key = '\b';
    else if (k->key() == Qt::Key_Delete) key = 0x7F;
    else if (k->key() == Qt::Key_B && (k->modifiers() & Qt::ControlModifier)) key = 0x02;
    else if (k->text().size() == 1 && k->text()[0].unicode() > ' ' && k->text()[0].unicode() < 0x7F)
        key = static_cast<char>(k->text()[0].toUpper().unicode());
    if (!key) return false;  // arrows and the rest move the selection
    KeyOnSelection(key);
    return true;
}

void ListWindow::RefreshNow() {
    table_.Update(false);
    summary_->setText(QString::fromStdString(model_.Summary()));
}

}  // namespace velmora
