#include "vcl/Printers.h"

namespace vcl {

TPrinter::TPrinter() : printers_(std::make_unique<rtl::TStringList>()) {}

TPrinter::~TPrinter() = default;

int TPrinter::PrinterIndex() const noexcept { return index_ < printers_->Count() ? index_ : -1; }

void TPrinter::SetPrinterIndex(int index) {
    if (index < -1 || index >= printers_->Count()) throw EPrinter("Printer index out of range");
    index_ = index;
}

TPrinter* Printer() {
    static TPrinter* printer = new TPrinter;  // lives as long as the process
    return printer;
}

}  // namespace vcl
