// TDBGrid: the data grid, headless. It shows the records of its data source's data set
// in columns (persistent ones, or one per visible field while none are defined), keeps a
// selected column, moves the data set when the operator clicks a row, presses a
// navigation key, turns the wheel or scrolls, and draws its visible cells on a recording
// canvas through OnDrawColumnCell or the default drawing.
#pragma once

#include "db/DataSource.h"
#include "vcl/Collection.h"
#include "vcl/Controls.h"
#include "vcl/Graphics.h"

#include <cstdint>
#include <memory>
#include <string>

namespace db {

class TDBGrid;

enum TDBGridOption : std::uint16_t {
    dgEditing = 1 << 0,
    dgAlwaysShowEditor = 1 << 1,
    dgTitles = 1 << 2,
    dgIndicator = 1 << 3,
    dgColumnResize = 1 << 4,
    dgColLines = 1 << 5,
    dgRowLines = 1 << 6,
    dgTabs = 1 << 7,
    dgRowSelect = 1 << 8,
    dgAlwaysShowSelection = 1 << 9,
    dgConfirmDelete = 1 << 10,
    dgCancelOnExit = 1 << 11,
    dgMultiSelect = 1 << 12,
};
using TDBGridOptions = std::uint16_t;
inline constexpr TDBGridOptions kDefaultGridOptions =
    dgEditing | dgTitles | dgIndicator | dgColumnResize | dgColLines | dgRowLines | dgTabs | dgConfirmDelete |
    dgCancelOnExit;

enum TGridDrawState : unsigned { gdSelected = 1, gdFocused = 2, gdFixed = 4 };

// The width of the indicator column at the grid's left.
inline constexpr int IndicatorWidth = 11;

class TColumn : public vcl::TCollectionItem {
    RTL_DECLARE_CLASS(TColumn)
public:
    TDBGrid* Grid() const;
    const std::string& FieldName() const noexcept { return fieldName_; }
    void SetFieldName(const std::string& v);
    // The field of the grid's data set with that name, or nullptr.
    TField* Field() const;
    // The title caption: the one set, else the field's display label, else the name.
    std::string TitleCaption() const;
    void SetTitleCaption(const std::string& v);
    // The width set, else the field's display width in characters.
    int Width() const;
    void SetWidth(int v);
    bool Visible() const noexcept { return visible_; }
    void SetVisible(bool v);
    bool ReadOnly() const noexcept { return readOnly_; }
    void SetReadOnly(bool v) noexcept { readOnly_ = v; }
    vcl::TColor Color() const noexcept { return color_; }
    void SetColor(vcl::TColor v) noexcept { color_ = v; }
    std::string DisplayName() const override { return fieldName_.empty() ? ClassName() : fieldName_; }

private:
    std::string fieldName_, titleCaption_;
    int width_ = -1;
    bool visible_ = true, readOnly_ = false;
    vcl::TColor color_ = vcl::clWindow;
};

enum class TDBGridColumnsState { csDefault, csCustomized };

class TDBGridColumns : public vcl::TCollection {
    RTL_DECLARE_CLASS(TDBGridColumns)
public:
    explicit TDBGridColumns(TDBGrid* grid);
    TDBGrid* Grid() const noexcept { return grid_; }
    TColumn* Items(int index) const { return static_cast<TColumn*>(vcl::TCollection::Items(index)); }
    // Adding a column by hand makes the columns the grid's own (customised).
    TColumn* Add();
    TDBGridColumnsState State() const noexcept { return state_; }
    // Back to one column per visible field of the data set.
    void RebuildColumns();

protected:
    void Update(vcl::TCollectionItem* item) override;

private:
    friend class TDBGrid;
    TDBGrid* grid_;
    TDBGridColumnsState state_ = TDBGridColumnsState::csDefault;
    bool rebuilding_ = false;
};

using TDrawColumnCellEvent =
    rtl::TMethod<void(rtl::TObject* sender, const vcl::TRect& rect, int dataCol, TColumn* column, unsigned state)>;
using TDBGridClickEvent = rtl::TMethod<void(TColumn* column)>;

class TDBGrid : public vcl::TCustomControl {
    RTL_DECLARE_CLASS(TDBGrid)
public:
    explicit TDBGrid(vcl::TComponent* owner);

    TDataSource* DataSource() const noexcept;
    void SetDataSource(TDataSource* source);
    TDataSet* DataSet() const noexcept;
    TDBGridColumns* Columns() const noexcept { return columns_.get(); }
    TDBGridOptions Options() const noexcept { return options_; }
    void SetOptions(TDBGridOptions v);
    bool ReadOnly() const noexcept { return readOnly_; }
    void SetReadOnly(bool v) noexcept { readOnly_ = v; }
    // The selected column (an index into Columns), and its field.
    int SelectedIndex() const noexcept { return selectedIndex_; }
    void SetSelectedIndex(int index);
    TField* SelectedField() const;
    void SetSelectedField(TField* field);
    vcl::TFont* TitleFont() noexcept { return &titleFont_; }
    int DefaultRowHeight() const noexcept { return rowHeight_; }
    void SetDefaultRowHeight(int v) noexcept { rowHeight_ = v > 0 ? v : 1; }
    int ClientWidth() const noexcept { return Width(); }
    int ClientHeight() const noexcept { return Height(); }
    // Rows of records that fit below the titles.
    int VisibleRowCount() const;

    vcl::TCanvas* Canvas() noexcept { return &canvas_; }
    // Draws the visible records into the canvas (after clearing it).
    void Paint();
    // The default look of a data cell: background, then the field's display text.
    void DefaultDrawColumnCell(const vcl::TRect& rect, int dataCol, TColumn* column, unsigned state);
    // How often the grid was told its data changed and would have been redrawn.
    int Invalidations() const noexcept { return invalidations_; }

    // The operator clicks the cell of a visible row (0 = the first row under the titles)
    // and column: the data set moves to that record, the column is selected, OnCellClick.
    void UserClickCell(int row, int column);
    void UserDblClickCell(int row, int column);
    void UserClickTitle(int column);

    // With DefaultDrawing the grid draws each cell before OnDrawColumnCell; without it,
    // OnDrawColumnCell alone draws (the default look when there is no handler).
    bool DefaultDrawing = true;
    TDrawColumnCellEvent OnDrawColumnCell;
    TDBGridClickEvent OnCellClick;
    TDBGridClickEvent OnTitleClick;
    vcl::TNotifyEvent OnColEnter;
    vcl::TNotifyEvent OnColExit;

protected:
    ~TDBGrid() override;
    void WndProc(vcl::TMessage& message) override;
    void KeyDown(unsigned short& key, vcl::TShiftState shift) override;
    bool DoMouseWheel(vcl::TShiftState shift, int wheelDelta, vcl::TPoint pos) override;
    void Notification(vcl::TComponent* component, vcl::TOperation operation) override;

private:
    class TGridDataLink;
    friend class TGridDataLink;
    friend class TDBGridColumns;
    friend class TColumn;
    void LinkActive();
    void DataChanged();
    int TopRecNo() const;
    void Scroll(int distance);

    std::unique_ptr<TGridDataLink> link_;
    std::unique_ptr<TDBGridColumns> columns_;
    TDBGridOptions options_ = kDefaultGridOptions;
    bool readOnly_ = false;
    int selectedIndex_ = 0;
    int rowHeight_ = 17;
    int top_ = 1;  // record number of the first visible row
    int invalidations_ = 0;
    vcl::TFont titleFont_;
    vcl::TCanvas canvas_;
};

}  // namespace db
