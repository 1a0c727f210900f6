#pragma once
// A list window: one list model in a table view, sortable by any column,
// with a filter box, rows coloured where the list colours them, and a
// summary line. It refreshes at most twice a second, and only when the
// model was invalidated, so a full internet feed does not freeze it.
#include <QAbstractTableModel>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <map>
#include <vector>

#include "app/ListWindowState.h"
#include "lists/ListModel.h"

class QLabel;
class QLineEdit;
class QTableView;

namespace velmora {

// The Qt face of a list model, in the order and selection the core computes.
class ListTableModel final : public QAbstractTableModel {
public:
    explicit ListTableModel(ListModel& model) : model_(model) {}
    int rowCount(const QModelIndex& parent) const override;
    int columnCount(const QModelIndex& parent) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    void sort(int column, Qt::SortOrder order) override;

    void SetFilter(const QString& text);
    // Rebuilds the rows shown when the model changed (or when forced).
    void Update(bool force);
    const std::vector<size_t>& Rows() const { return rows_; }
    int SortColumn() const { return sortColumn_; }
    bool Ascending() const { return ascending_; }

private:
    ListModel& model_;
    mutable std::map<uint16_t, QVariant> symbolIcons_;  // drawn once per symbol
    std::vector<size_t> rows_;
    std::string filter_;
    int sortColumn_ = -1;
    bool ascending_ = true;
};

class ListWindow final : public QWidget {
public:
    explicit ListWindow(ListModel& model, QWidget* parent = nullptr);
    ListModel& Model() { return model_; }
    QTableView* View() const { return view_; }
    QLineEdit* Filter() const { return filter_; }
    ListTableModel& Table() { return table_; }
    // Refreshes now if the model was invalidated (the timer's work).
    void RefreshNow();
    // A double-clicked row, as the model's row number.
    std::function<void(size_t row)> onActivate;
    // Shows or hides a column; the choice is kept with the window's place.
    void ShowColumn(int column, bool shown);
    // Sort, hidden columns and widths, as the window's place keeps them.
    ListWindowState State() const;
    void Apply(const ListWindowState& state);
    // The operator sorted, hid or showed a column, or resized one.
    std::function<void()> onStateChanged;
    // A key on the selected rows, for lists that take keys; false when a
    // row refused it (the window beeps).
    bool KeyOnSelection(char key);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    ListModel& model_;
    ListTableModel table_;
    QLineEdit* filter_;
    QTableView* view_;
    QLabel* summary_;
    QTimer refresh_;
    void ChooseColumns(const QPoint& at);
    void StateChanged() {
        if (onStateChanged) onStateChanged();
    }
};

}  // namespace velmora
