#include "db/DBGrids.h"

#include "rtl/Utf8.h"

#include <algorithm>

namespace db {

RTL_DEFINE_CLASS(TColumn, vcl::TCollectionItem)
RTL_DEFINE_CLASS(TDBGridColumns, vcl::TCollection)
RTL_DEFINE_CLASS(TDBGrid, vcl::TCustomControl)

// ------------------------------------------------------------------ columns

TDBGrid* TColumn::Grid() const {
    auto* columns = dynamic_cast<TDBGridColumns*>(Collection());
    return columns ? columns->Grid() : nullptr;
}

TField* TColumn::Field() const {
    TDBGrid* grid = Grid();
    TDataSet* ds = grid ? grid->DataSet() : nullptr;
    return ds && !fieldName_.empty() ? ds->FindField(fieldName_) : nullptr;
}

void TColumn::SetFieldName(const std::string& v) {
    fieldName_ = v;
    if (TDBGrid* g = Grid()) g->DataChanged();
}

std::string TColumn::TitleCaption() const {
    if (!titleCaption_.empty()) return titleCaption_;
    if (TField* f = Field()) return f->DisplayLabel();
    return fieldName_;
}

void TColumn::SetTitleCaption(const std::string& v) { titleCaption_ = v; }

int TColumn::Width() const {
    if (width_ >= 0) return width_;
    // The platform sizes a column to the field's display width in digits of the grid
    // font, or to its title when that is wider.
    vcl::TCanvas measure;
    const TField* f = Field();
    const int chars = f ? f->DisplayWidth() : 10;
    const int data = chars * measure.TextWidth("0") + 4;
    const int title = measure.TextWidth(TitleCaption()) + 4;
    return std::max(data, title);
}

void TColumn::SetWidth(int v) {
    width_ = std::max(0, v);
    if (TDBGrid* g = Grid()) g->DataChanged();
}

void TColumn::SetVisible(bool v) {
    visible_ = v;
    if (TDBGrid* g = Grid()) g->DataChanged();
}

TDBGridColumns::TDBGridColumns(TDBGrid* grid)
    : vcl::TCollection(TColumn::StaticClass(), [] { return new TColumn; }), grid_(grid) {}

TColumn* TDBGridColumns::Add() {
    if (!rebuilding_ && state_ == TDBGridColumnsState::csDefault) {
        // The first column made by hand replaces the automatic ones.
        rebuilding_ = true;
        Clear();
        rebuilding_ = false;
        state_ = TDBGridColumnsState::csCustomized;
    }
    return static_cast<TColumn*>(vcl::TCollection::Add());
}

void TDBGridColumns::RebuildColumns() {
    rebuilding_ = true;
    BeginUpdate();
    Clear();
    if (TDataSet* ds = grid_->DataSet(); ds && ds->Active())
        for (int i = 0; i < ds->FieldCount(); ++i) {
            TField* f = ds->Fields(i);
            if (!f->Visible()) continue;
            static_cast<TColumn*>(vcl::TCollection::Add())->SetFieldName(f->FieldName());
        }
    EndUpdate();
    state_ = TDBGridColumnsState::csDefault;
    rebuilding_ = false;
}

void TDBGridColumns::Update(vcl::TCollectionItem*) {
    if (grid_) grid_->DataChanged();
}

// ------------------------------------------------------------------ the grid's data link

class TDBGrid::TGridDataLink : public TDataLink {
public:
    explicit TGridDataLink(TDBGrid& grid) : grid_(grid) {}

protected:
    void ActiveChanged() override { grid_.LinkActive(); }
    void DataSetChanged() override { grid_.DataChanged(); }
    void DataSetScrolled(int) override { grid_.DataChanged(); }
    void RecordChanged(TField*) override { grid_.DataChanged(); }
    void LayoutChanged() override { grid_.LinkActive(); }

private:
    TDBGrid& grid_;
};

// ------------------------------------------------------------------ the grid

TDBGrid::TDBGrid(vcl::TComponent* owner)
    : vcl::TCustomControl(owner), link_(std::make_unique<TGridDataLink>(*this)),
      columns_(std::make_unique<TDBGridColumns>(this)) {
    SetTabStop(true);
    SetColor(vcl::clWindow);
    SetBounds(0, 0, 320, 120);
}

TDBGrid::~TDBGrid() {
    link_->SetDataSource(nullptr);
    columns_.reset();
}

TDataSource* TDBGrid::DataSource() const noexcept { return link_ ? link_->DataSource() : nullptr; }
TDataSet* TDBGrid::DataSet() const noexcept { return link_ ? link_->DataSet() : nullptr; }

void TDBGrid::SetDataSource(TDataSource* source) {
    if (source == link_->DataSource()) return;
    if (link_->DataSource()) link_->DataSource()->RemoveFreeNotification(this);
    link_->SetDataSource(source);
    if (source) source->FreeNotification(this);
    LinkActive();
}

void TDBGrid::Notification(vcl::TComponent* component, vcl::TOperation operation) {
    vcl::TCustomControl::Notification(component, operation);
    if (operation == vcl::TOperation::opRemove && link_ && component == link_->DataSource()) {
        link_->SetDataSource(nullptr);
        LinkActive();
    }
}

void TDBGrid::LinkActive() {
    if (columns_->State() == TDBGridColumnsState::csDefault) columns_->RebuildColumns();
    if (selectedIndex_ >= columns_->Count()) selectedIndex_ = std::max(0, columns_->Count() - 1);
    top_ = 1;
    DataChanged();
}

void TDBGrid::DataChanged() {
    ++invalidations_;
    // The current record stays in sight.
    TDataSet* ds = DataSet();
    if (!ds || !ds->Active()) return;
    const int rec = ds->RecNo();
    const int rows = std::max(1, VisibleRowCount());
    if (rec > 0) {
        if (rec < top_) top_ = rec;
        else if (rec >= top_ + rows) top_ = rec - rows + 1;
    }
    top_ = std::max(1, std::min(top_, std::max(1, ds->RecordCount() - rows + 1)));
}

void TDBGrid::SetOptions(TDBGridOptions v) {
    options_ = v;
    DataChanged();
}

void TDBGrid::SetSelectedIndex(int index) {
    if (columns_->Count() == 0) return;
    index = std::clamp(index, 0, columns_->Count() - 1);
    if (index == selectedIndex_) return;
    if (OnColExit) OnColExit(this);
    selectedIndex_ = index;
    if (OnColEnter) OnColEnter(this);
    DataChanged();
}

TField* TDBGrid::SelectedField() const {
    return selectedIndex_ < columns_->Count() ? columns_->Items(selectedIndex_)->Field() : nullptr;
}

void TDBGrid::SetSelectedField(TField* field) {
    for (int i = 0; i < columns_->Count(); ++i)
        if (columns_->Items(i)->Field() == field) {
            SetSelectedIndex(i);
            return;
        }
}

int TDBGrid::VisibleRowCount() const {
    const int titles = (options_ & dgTitles) ? rowHeight_ + 1 : 0;
    return std::max(0, (Height() - titles) / (rowHeight_ + 1));
}

int TDBGrid::TopRecNo() const { return top_; }

void TDBGrid::DefaultDrawColumnCell(const vcl::TRect& rect, int, TColumn* column, unsigned state) {
    canvas_.Brush.Color = (state & gdSelected) && (state & gdFocused) ? vcl::clHighlight : column->Color();
    canvas_.FillRect(rect);
    TField* f = column->Field();
    canvas_.TextRect(rect, rect.Left + 2, rect.Top + 2, f ? f->DisplayText() : std::string());
}

void TDBGrid::Paint() {
    canvas_.Clear();
    TDataSet* ds = DataSet();
    const int indicator = (options_ & dgIndicator) ? IndicatorWidth : 0;
    int y = 0;
    if (options_ & dgTitles) {
        int x = indicator;
        for (int c = 0; c < columns_->Count(); ++c) {
            TColumn* col = columns_->Items(c);
            if (!col->Visible()) continue;
            const vcl::TRect r{x, y, x + col->Width(), y + rowHeight_};
            canvas_.Brush.Color = vcl::clBtnFace;
            canvas_.FillRect(r);
            canvas_.TextRect(r, r.Left + 2, r.Top + 2, col->TitleCaption());
            x = r.Right + 1;
        }
        y += rowHeight_ + 1;
    }
    if (!ds || !ds->Active()) return;
    const int current = ds->RecNo();
    const int rows = VisibleRowCount();
    for (int i = 0; i < rows; ++i) {
        const int recNo = top_ + i;
        if (!ds->PeekRecord(recNo)) break;
        const vcl::TRect rowRect{0, y, ClientWidth(), y + rowHeight_};
        if (indicator) {
            canvas_.Brush.Color = vcl::clBtnFace;
            canvas_.FillRect({0, y, indicator, y + rowHeight_});
            if (recNo == current) canvas_.Draw(0, y, 0);  // the current-record arrow
        }
        int x = indicator;
        for (int c = 0; c < columns_->Count(); ++c) {
            TColumn* col = columns_->Items(c);
            if (!col->Visible()) continue;
            const vcl::TRect r{x, rowRect.Top, x + col->Width(), rowRect.Bottom};
            unsigned state = 0;
            if (recNo == current && ((options_ & dgRowSelect) || c == selectedIndex_)) state |= gdSelected;
            if (state && Focused()) state |= gdFocused;
            try {
                if (DefaultDrawing || !OnDrawColumnCell) DefaultDrawColumnCell(r, c, col, state);
                if (OnDrawColumnCell) OnDrawColumnCell(this, r, c, col, state);
            } catch (...) {
                ds->EndPeek();
                throw;
            }
            x = r.Right + 1;
        }
        y += rowHeight_ + 1;
    }
    ds->EndPeek();
}

void TDBGrid::Scroll(int distance) {
    TDataSet* ds = DataSet();
    if (ds && ds->Active() && distance != 0) ds->MoveBy(distance);
}

void TDBGrid::UserClickCell(int row, int column) {
    if (!Showing() || !Enabled()) return;
    if (CanFocus()) SetFocus();
    TDataSet* ds = DataSet();
    if (!ds || !ds->Active()) return;
    const int recNo = top_ + row;
    if (row < 0 || recNo > ds->RecordCount()) return;
    Scroll(recNo - ds->RecNo());
    SetSelectedIndex(column);
    if (OnCellClick && column >= 0 && column < columns_->Count()) OnCellClick(columns_->Items(column));
}

void TDBGrid::UserDblClickCell(int row, int column) {
    if (!Showing() || !Enabled()) return;
    UserClickCell(row, column);
    DblClick();
}

void TDBGrid::UserClickTitle(int column) {
    if (!Showing() || !Enabled() || !(options_ & dgTitles)) return;
    if (column >= 0 && column < columns_->Count() && OnTitleClick) OnTitleClick(columns_->Items(column));
}

void TDBGrid::KeyDown(unsigned short& key, vcl::TShiftState shift) {
    vcl::TCustomControl::KeyDown(key, shift);  // OnKeyDown first: it may take the key
    if (key == 0) return;
    TDataSet* ds = DataSet();
    const bool ctrl = (shift & vcl::ssCtrl) != 0;
    switch (key) {
    case vcl::VK_DOWN: Scroll(1); break;
    case vcl::VK_UP: Scroll(-1); break;
    case vcl::VK_NEXT: Scroll(std::max(1, VisibleRowCount())); break;
    case vcl::VK_PRIOR: Scroll(-std::max(1, VisibleRowCount())); break;
    case vcl::VK_HOME:
        if (ctrl && ds && ds->Active()) ds->First();
        else SetSelectedIndex(0);
        break;
    case vcl::VK_END:
        if (ctrl && ds && ds->Active()) ds->Last();
        else SetSelectedIndex(columns_->Count() - 1);
        break;
    case vcl::VK_LEFT: SetSelectedIndex(selectedIndex_ - 1); break;
    case vcl::VK_RIGHT: SetSelectedIndex(selectedIndex_ + 1); break;
    default: return;
    }
    key = 0;
}

bool TDBGrid::DoMouseWheel(vcl::TShiftState shift, int wheelDelta, vcl::TPoint pos) {
    if (vcl::TCustomControl::DoMouseWheel(shift, wheelDelta, pos)) return true;
    // One record per notch, as the platform's grid moves.
    Scroll(wheelDelta < 0 ? 1 : -1);
    return true;
}

void TDBGrid::WndProc(vcl::TMessage& m) {
    if (m.Msg == vcl::WM_VSCROLL) {
        TDataSet* ds = DataSet();
        switch (m.WParam & 0xFFFF) {
        case vcl::SB_LINEUP: Scroll(-1); break;
        case vcl::SB_LINEDOWN: Scroll(1); break;
        case vcl::SB_PAGEUP: Scroll(-std::max(1, VisibleRowCount())); break;
        case vcl::SB_PAGEDOWN: Scroll(std::max(1, VisibleRowCount())); break;
        case vcl::SB_THUMBPOSITION:
        case vcl::SB_THUMBTRACK:
            if (ds && ds->Active()) ds->SetRecNo(static_cast<int>((m.WParam >> 16) & 0xFFFF) + 1);
            break;
        case vcl::SB_TOP:
            if (ds && ds->Active()) ds->First();
            break;
        case vcl::SB_BOTTOM:
            if (ds && ds->Active()) ds->Last();
            break;
        default: break;  // SB_ENDSCROLL: the scroll is over, nothing moves
        }
        m.Result = 0;
        return;
    }
    vcl::TCustomControl::WndProc(m);
}

}  // namespace db
