// The user interface of the console program: boxes are written to the error stream;
// questions are asked on the terminal, or answered with the box's default button when
// there is no terminal to ask (a scheduled run).
#pragma once

#include "vcl/UserInterface.h"

#include <cstdio>

namespace vcl {

class TTerminalUI : public TUserInterface {
public:
    explicit TTerminalUI(std::FILE* out = stderr, std::FILE* in = stdin);
    int MessageBox(const TMessageBoxInfo& box) override;
    void Beep(UINT type) override;
    std::unique_ptr<TProgressView> OpenProgress(const std::string& caption, const std::string& text, int count) override;
    void ShowList(const std::vector<std::string>& lines, const std::string& caption) override;

private:
    std::FILE* out_;
    std::FILE* in_;
    bool interactive_;
};

}  // namespace vcl
