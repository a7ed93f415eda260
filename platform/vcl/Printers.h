// The system's printers, as the platform's printer object lists them. Headless, no print
// system is asked: the host fills the list with the printers it knows (the console from
// its configuration, tests with names of their own). An empty list means there is only
// the default printer, reached through the print command.
#pragma once

#include "rtl/Exceptions.h"
#include "rtl/StringList.h"

#include <memory>

namespace vcl {

RTL_EXCEPTION_CLASS(EPrinter, rtl::Exception)

class TPrinter {
public:
    TPrinter();
    ~TPrinter();
    TPrinter(const TPrinter&) = delete;
    TPrinter& operator=(const TPrinter&) = delete;

    // The printer names; an index into this list is what "printer index" means everywhere.
    rtl::TStringList* Printers() const noexcept { return printers_.get(); }
    // The chosen printer, -1 for the default one (also once the chosen one left the
    // list). Setting an index outside -1..count-1 raises EPrinter "Printer index out of
    // range", as the platform does.
    int PrinterIndex() const noexcept;
    void SetPrinterIndex(int index);

private:
    std::unique_ptr<rtl::TStringList> printers_;
    int index_ = -1;
};

// The process's printer object.
TPrinter* Printer();

}  // namespace vcl
