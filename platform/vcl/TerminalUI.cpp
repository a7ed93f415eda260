#include "vcl/TerminalUI.h"

#include <unistd.h>

#include <algorithm>
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

namespace {

// A bar on one terminal line, redrawn in place; without a terminal, one line per phase
// and one per tenth of the way, so a log stays readable.
class TTerminalProgress : public TProgressView {
public:
    TTerminalProgress(std::FILE* out, bool interactive, std::string caption, const std::string& text, int count)
        : out_(out), interactive_(interactive), caption_(std::move(caption)) {
        Restart(text, count);
    }
    ~TTerminalProgress() override {
        if (interactive_ && drawn_) std::fputc('\n', out_);
        std::fflush(out_);
    }
    void SetCaption(const std::string& caption) override { caption_ = caption; }
    void SetText(const std::string& text) override {
        text_ = text;
        if (interactive_) Draw();
    }
    void Restart(const std::string& text, int count) override {
        phase_ = text;
        count_ = count > 0 ? count : 0;
        position_ = 0;
        lastTenth_ = -1;
        if (interactive_) {
            Draw();
        } else {
            std::fprintf(out_, "%s: %s%s\n", caption_.c_str(), phase_.c_str(),
                         count_ > 0 ? (" (" + std::to_string(count_) + ")").c_str() : "");
            std::fflush(out_);
        }
    }
    bool Step(const std::string& text) override {
        ++position_;
        text_ = text;
        if (interactive_) {
            Draw();
        } else if (count_ > 0) {
            const int tenth = static_cast<int>(10LL * std::min(position_, count_) / count_);
            if (tenth != lastTenth_ && tenth > 0) {
                lastTenth_ = tenth;
                std::fprintf(out_, "%s: %s %d%%\n", caption_.c_str(), phase_.c_str(), tenth * 10);
                std::fflush(out_);
            }
        }
        return true;  // the terminal has no cancel button; Ctrl+C ends the program
    }

private:
    void Draw() {
        constexpr int kWidth = 30;
        const int filled = count_ > 0 ? static_cast<int>(static_cast<long long>(kWidth) * std::min(position_, count_) / count_) : 0;
        std::string bar(static_cast<std::size_t>(filled), '#');
        bar.append(static_cast<std::size_t>(kWidth - filled), '.');
        std::string line = caption_ + " [" + bar + "] " + phase_;
        if (count_ > 0) line += " " + std::to_string(std::min(position_, count_)) + "/" + std::to_string(count_);
        if (!text_.empty()) line += " " + text_;
        if (line.size() > 160) line.resize(160);
        std::fprintf(out_, "\r%-160s", line.c_str());
        std::fflush(out_);
        drawn_ = true;
    }

    std::FILE* out_;
    bool interactive_;
    std::string caption_, phase_, text_;
    int count_ = 0, position_ = 0, lastTenth_ = -1;
    bool drawn_ = false;
};

}  // namespace

std::unique_ptr<TProgressView> TTerminalUI::OpenProgress(const std::string& caption, const std::string& text, int count) {
    return std::make_unique<TTerminalProgress>(out_, interactive_, caption, text, count);
}

void TTerminalUI::ShowList(const std::vector<std::string>& lines, const std::string& caption) {
    std::fprintf(out_, "== %s ==\n", caption.c_str());
    for (const auto& line : lines) std::fprintf(out_, "%s\n", line.c_str());
    std::fflush(out_);
}

void TTerminalUI::Beep(UINT) {
    if (interactive_) {
        std::fputc('\a', out_);
        std::fflush(out_);
    }
}

}  // namespace vcl
