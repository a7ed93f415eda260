#include "vcl/TerminalUI.h"

#include <unistd.h>

#include <string>
#include <vector>

namespace vcl {
namespace {

const char* IconWord(TMsgIcon icon) {
    switch (icon) {
    case TMsgIcon::Error: return "Ошибка";
    case TMsgIcon::Warning: return "Внимание";
    case TMsgIcon::Information: return "Сообщение";
    case TMsgIcon::Question: return "Вопрос";
    default: return nullptr;
    }
}

struct Choice {
    int result;
    char key;
    const char* label;
};

std::vector<Choice> ChoicesOf(UINT buttons) {
    switch (buttons) {
    case MB_OKCANCEL: return {{IDOK, 'o', "[O]K"}, {IDCANCEL, 'c', "[C]ancel"}};
    case MB_ABORTRETRYIGNORE: return {{IDABORT, 'a', "[A]bort"}, {IDRETRY, 'r', "[R]etry"}, {IDIGNORE, 'i', "[I]gnore"}};
    case MB_YESNOCANCEL: return {{IDYES, 'y', "[Y]es"}, {IDNO, 'n', "[N]o"}, {IDCANCEL, 'c', "[C]ancel"}};
    case MB_YESNO: return {{IDYES, 'y', "[Y]es"}, {IDNO, 'n', "[N]o"}};
    case MB_RETRYCANCEL: return {{IDRETRY, 'r', "[R]etry"}, {IDCANCEL, 'c', "[C]ancel"}};
    default: return {{IDOK, 'o', "[O]K"}};
    }
}

}  // namespace

TTerminalUI::TTerminalUI(std::FILE* out, std::FILE* in)
    : out_(out), in_(in), interactive_(in && ::isatty(::fileno(in)) && out && ::isatty(::fileno(out))) {}

int TTerminalUI::MessageBox(const TMessageBoxInfo& box) {
    const char* word = IconWord(box.Icon());
    std::string head = word ? std::string("[") + word + "]" : std::string();
    if (!box.Caption.empty()) head += (head.empty() ? "" : " ") + box.Caption;
    if (!head.empty()) std::fprintf(out_, "%s\n", head.c_str());
    std::fprintf(out_, "%s\n", box.Text.c_str());
    if (!box.AsksQuestion()) {
        std::fflush(out_);
        return IDOK;
    }
    const auto choices = ChoicesOf(box.Buttons());
    const int def = box.DefaultResult();
    std::string prompt;
    for (const auto& c : choices) prompt += std::string(prompt.empty() ? "" : " / ") + c.label;
    if (!interactive_) {
        for (const auto& c : choices)
            if (c.result == def) std::fprintf(out_, "%s -> %s (default, no terminal)\n", prompt.c_str(), c.label);
        std::fflush(out_);
        return def;
    }
    for (;;) {
        std::fprintf(out_, "%s? ", prompt.c_str());
        std::fflush(out_);
        char line[64];
        if (!std::fgets(line, sizeof line, in_)) return def;
        const char k = static_cast<char>(line[0] | 0x20);
        if (line[0] == '\n') return def;
        for (const auto& c : choices)
            if (c.key == k) return c.result;
    }
}

void TTerminalUI::Beep(UINT) {
    if (interactive_) {
        std::fputc('\a', out_);
        std::fflush(out_);
    }
}

}  // namespace vcl
