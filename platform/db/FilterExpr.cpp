#include "db/FilterExpr.h"

#include "db/Collation.h"
#include "db/Fields.h"
#include "rtl/Convert.h"
#include "rtl/DateTime.h"
#include "rtl/Strings.h"
#include "rtl/Utf8.h"

#include <cmath>
#include <vector>

namespace db {

// ------------------------------------------------------------------ syntax tree

enum class TOp { Eq, Ne, Lt, Gt, Le, Ge };

struct TFilterExpr::Node {
    enum Kind { Or, And, Not, Compare, IsNull, Field, Text, Number, Boolean, Null } kind;
    TOp op = TOp::Eq;
    bool negate = false;       // IS NOT NULL
    std::string text;          // field name, text constant, number as written
    double number = 0;
    bool boolean = false;
    std::size_t position = 0;  // 1-based character position in the expression
    std::unique_ptr<Node> left, right;
};

TFilterExpr::~TFilterExpr() = default;

namespace {

using Node = TFilterExpr::Node;

struct Token {
    enum Kind { End, Name, Text, Number, LParen, RParen, Op } kind = End;
    std::string text;
    std::size_t position = 0;
};

class Parser {
public:
    explicit Parser(std::string_view text) : s_(text) { Advance(); }

    std::unique_ptr<Node> ParseAll() {
        auto n = ParseOr();
        if (tok_.kind != Token::End) Fail("unexpected \"" + tok_.text + "\"", tok_.position);
        return n;
    }

private:
    [[noreturn]] void Fail(const std::string& what, std::size_t position) const {
        throw EDatabaseError("Filter expression \"" + std::string(s_) + "\": " + what + " at position " +
                             std::to_string(position));
    }

    std::size_t CharPos(std::size_t byte) const { return rtl::Utf8Length(s_.substr(0, byte)) + 1; }

    void Advance() {
        while (pos_ < s_.size() && static_cast<unsigned char>(s_[pos_]) <= ' ') ++pos_;
        tok_ = Token{};
        tok_.position = CharPos(pos_);
        if (pos_ >= s_.size()) return;
        const char c = s_[pos_];
        if (c == '(' || c == ')') {
            tok_.kind = c == '(' ? Token::LParen : Token::RParen;
            tok_.text = c;
            ++pos_;
        } else if (c == '\'') {
            tok_.kind = Token::Text;
            const std::size_t start = pos_++;
            for (;;) {
                if (pos_ >= s_.size()) Fail("the text is not closed", CharPos(start));
                if (s_[pos_] == '\'') {
                    if (pos_ + 1 < s_.size() && s_[pos_ + 1] == '\'') {
                        tok_.text += '\'';
                        pos_ += 2;
                        continue;
                    }
                    ++pos_;
                    break;
                }
                tok_.text += s_[pos_++];
            }
        } else if (c == '[') {
            tok_.kind = Token::Name;
            const std::size_t start = pos_;
            const auto close = s_.find(']', pos_);
            if (close == std::string_view::npos) Fail("the field name is not closed", CharPos(start));
            tok_.text = std::string(s_.substr(pos_ + 1, close - pos_ - 1));
            pos_ = close + 1;
        } else if (c == '=' || c == '<' || c == '>') {
            tok_.kind = Token::Op;
            tok_.text = c;
            ++pos_;
            if (pos_ < s_.size() && ((c == '<' && (s_[pos_] == '>' || s_[pos_] == '=')) || (c == '>' && s_[pos_] == '='))) tok_.text += s_[pos_++];
        } else if ((c >= '0' && c <= '9') || (c == '.' && pos_ + 1 < s_.size() && s_[pos_ + 1] >= '0' && s_[pos_ + 1] <= '9') ||
                   (c == '-' && pos_ + 1 < s_.size() && ((s_[pos_ + 1] >= '0' && s_[pos_ + 1] <= '9') || s_[pos_ + 1] == '.'))) {
            tok_.kind = Token::Number;
            const std::size_t start = pos_;
            if (c == '-') ++pos_;
            while (pos_ < s_.size() && ((s_[pos_] >= '0' && s_[pos_] <= '9') || s_[pos_] == '.')) ++pos_;
            if (pos_ < s_.size() && (s_[pos_] == 'e' || s_[pos_] == 'E')) {
                std::size_t e = pos_ + 1;
                if (e < s_.size() && (s_[e] == '+' || s_[e] == '-')) ++e;
                if (e < s_.size() && s_[e] >= '0' && s_[e] <= '9') {
                    pos_ = e;
                    while (pos_ < s_.size() && s_[pos_] >= '0' && s_[pos_] <= '9') ++pos_;
                }
            }
            tok_.text = std::string(s_.substr(start, pos_ - start));
        } else if (IsNameChar(c)) {
            tok_.kind = Token::Name;
            const std::size_t start = pos_;
            while (pos_ < s_.size() && IsNameChar(s_[pos_])) ++pos_;
            tok_.text = std::string(s_.substr(start, pos_ - start));
        } else {
            std::size_t p = pos_;
            rtl::Utf8Next(s_, p);
            Fail("unexpected \"" + std::string(s_.substr(pos_, p - pos_)) + "\"", CharPos(pos_));
        }
    }

    static bool IsNameChar(char c) {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' || c == '$' ||
               c == '#' || c == '.' || static_cast<unsigned char>(c) >= 0x80;
    }

    bool IsWord(const char* word) const { return tok_.kind == Token::Name && rtl::SameText(tok_.text, word); }

    std::unique_ptr<Node> Make(Node::Kind kind, std::size_t position) {
        auto n = std::make_unique<Node>();
        n->kind = kind;
        n->position = position;
        return n;
    }

    std::unique_ptr<Node> ParseOr() {
        auto left = ParseAnd();
        while (IsWord("OR")) {
            auto n = Make(Node::Or, tok_.position);
            Advance();
            n->left = std::move(left);
            n->right = ParseAnd();
            left = std::move(n);
        }
        return left;
    }

    std::unique_ptr<Node> ParseAnd() {
        auto left = ParseNot();
        while (IsWord("AND")) {
            auto n = Make(Node::And, tok_.position);
            Advance();
            n->left = std::move(left);
            n->right = ParseNot();
            left = std::move(n);
        }
        return left;
    }

    std::unique_ptr<Node> ParseNot() {
        if (IsWord("NOT")) {
            auto n = Make(Node::Not, tok_.position);
            Advance();
            n->left = ParseNot();
            return n;
        }
        if (tok_.kind == Token::LParen) {
            const std::size_t open = tok_.position;
            Advance();
            auto inner = ParseOr();
            if (tok_.kind != Token::RParen) Fail("\")\" expected for the \"(\" at position " + std::to_string(open), tok_.position);
            Advance();
            return inner;
        }
        return ParseComparison();
    }

    std::unique_ptr<Node> ParseComparison() {
        auto left = ParseOperand();
        if (IsWord("IS")) {
            auto n = Make(Node::IsNull, tok_.position);
            Advance();
            if (IsWord("NOT")) {
                n->negate = true;
                Advance();
            }
            if (!IsWord("NULL")) Fail("NULL expected", tok_.position);
            Advance();
            n->left = std::move(left);
            return n;
        }
        if (tok_.kind != Token::Op) {
            if (left->kind == Node::Field || left->kind == Node::Boolean) return left;
            Fail(tok_.kind == Token::End ? std::string("a comparison expected at the end") : "a comparison expected",
                 tok_.position);
        }
        auto n = Make(Node::Compare, tok_.position);
        const std::string& op = tok_.text;
        n->op = op == "=" ? TOp::Eq : op == "<>" ? TOp::Ne : op == "<" ? TOp::Lt : op == ">" ? TOp::Gt : op == "<=" ? TOp::Le : TOp::Ge;
        Advance();
        n->left = std::move(left);
        n->right = ParseOperand();
        // "= NULL" and "<> NULL" mean IS NULL and IS NOT NULL.
        if (n->right->kind == Node::Null || n->left->kind == Node::Null) {
            if (n->op != TOp::Eq && n->op != TOp::Ne) Fail("NULL can only be compared with = or <>", n->position);
            auto isNull = Make(Node::IsNull, n->position);
            isNull->negate = n->op == TOp::Ne;
            isNull->left = n->right->kind == Node::Null ? std::move(n->left) : std::move(n->right);
            return isNull;
        }
        return n;
    }

    std::unique_ptr<Node> ParseOperand() {
        std::unique_ptr<Node> n;
        switch (tok_.kind) {
        case Token::Text:
            n = Make(Node::Text, tok_.position);
            n->text = tok_.text;
            break;
        case Token::Number: {
            n = Make(Node::Number, tok_.position);
            n->text = tok_.text;
            double v;
            if (!rtl::TryStrToFloat(tok_.text, v, rtl::InvariantFormatSettings())) Fail("\"" + tok_.text + "\" is not a number", tok_.position);
            n->number = v;
            break;
        }
        case Token::Name:
            if (IsWord("NULL")) {
                n = Make(Node::Null, tok_.position);
            } else if (IsWord("TRUE") || IsWord("FALSE")) {
                n = Make(Node::Boolean, tok_.position);
                n->boolean = IsWord("TRUE");
            } else if (IsWord("AND") || IsWord("OR") || IsWord("NOT") || IsWord("IS")) {
                Fail("a field name or a value expected before \"" + tok_.text + "\"", tok_.position);
            } else {
                n = Make(Node::Field, tok_.position);
                n->text = tok_.text;
            }
            break;
        case Token::End: Fail("a field name or a value expected at the end", tok_.position);
        default: Fail("a field name or a value expected before \"" + tok_.text + "\"", tok_.position);
        }
        Advance();
        return n;
    }

    std::string_view s_;
    std::size_t pos_ = 0;
    Token tok_;
};

}  // namespace

std::shared_ptr<const TFilterExpr> TFilterExpr::Parse(std::string_view text) {
    auto expr = std::shared_ptr<TFilterExpr>(new TFilterExpr);
    expr->text_ = std::string(text);
    Parser parser(expr->text_);
    expr->root_ = parser.ParseAll();
    return expr;
}

// ------------------------------------------------------------------ compiled program

namespace {

// A value on one side of a comparison, bound once.
struct TOperand {
    enum Kind { Column, Const } kind = Const;
    int col = -1;
    TColumnKind colKind = TColumnKind::Var;
    bool isDate = false;
    // constants
    bool isText = false;
    double number = 0;
    std::string text;
    rtl::Variant var;
};

struct TCompiled {
    virtual ~TCompiled() = default;
    virtual bool Eval(const TRecordStore& s, TRecordStore::Row r) const = 0;
};

struct TLogic : TCompiled {
    Node::Kind kind;
    std::unique_ptr<TCompiled> a, b;
    bool Eval(const TRecordStore& s, TRecordStore::Row r) const override {
        switch (kind) {
        case Node::Or: return a->Eval(s, r) || b->Eval(s, r);
        case Node::And: return a->Eval(s, r) && b->Eval(s, r);
        default: return !a->Eval(s, r);
        }
    }
};

struct TConstant : TCompiled {
    bool value;
    bool Eval(const TRecordStore&, TRecordStore::Row) const override { return value; }
};

struct TNullTest : TCompiled {
    int col;
    bool negate;
    bool Eval(const TRecordStore& s, TRecordStore::Row r) const override { return s.IsNull(r, col) != negate; }
};

struct TBoolColumn : TCompiled {
    int col;
    bool Eval(const TRecordStore& s, TRecordStore::Row r) const override { return !s.IsNull(r, col) && s.Int(r, col) != 0; }
};

bool Apply(TOp op, int c) {
    switch (op) {
    case TOp::Eq: return c == 0;
    case TOp::Ne: return c != 0;
    case TOp::Lt: return c < 0;
    case TOp::Gt: return c > 0;
    case TOp::Le: return c <= 0;
    default: return c >= 0;
    }
}

template <class T>
int Cmp(T a, T b) {
    return a < b ? -1 : (b < a ? 1 : 0);
}

// A column against a number (integer and float columns, dates as numbers of days).
struct TNumberCompare : TCompiled {
    int col;
    bool isInt;
    TOp op;
    double value;
    bool Eval(const TRecordStore& s, TRecordStore::Row r) const override {
        if (s.IsNull(r, col)) return false;
        const double v = isInt ? static_cast<double>(s.Int(r, col)) : s.Float(r, col);
        return Apply(op, Cmp(v, value));
    }
};

// A text column against a text; "=" with a trailing "*" compares prefixes.
struct TTextCompare : TCompiled {
    int col;
    TOp op;
    std::string value;
    bool ignoreCase;
    bool prefix;
    bool Eval(const TRecordStore& s, TRecordStore::Row r) const override {
        if (s.IsNull(r, col)) return false;
        const std::string_view v = s.Text(r, col);
        if (prefix) {
            const bool starts = StartsWithText(v, value, ignoreCase);
            return op == TOp::Eq ? starts : !starts;
        }
        return Apply(op, CompareTexts(v, value, ignoreCase));
    }
};

struct TVarCompare : TCompiled {
    int col;
    TOp op;
    rtl::Variant value;
    bool ignoreCase;
    bool Eval(const TRecordStore& s, TRecordStore::Row r) const override {
        if (s.IsNull(r, col)) return false;
        const auto rel = rtl::VarCompareValue(s.Var(r, col), value, ignoreCase);
        if (rel == rtl::TVariantRelationship::vrNotEqual) return op == TOp::Ne;
        return Apply(op, rel == rtl::TVariantRelationship::vrLessThan ? -1 : rel == rtl::TVariantRelationship::vrGreaterThan ? 1 : 0);
    }
};

// Two columns.
struct TColumnsCompare : TCompiled {
    int a, b;
    TColumnKind ka, kb;
    TOp op;
    bool ignoreCase;
    double Num(const TRecordStore& s, TRecordStore::Row r, int c, TColumnKind k) const {
        return k == TColumnKind::Int ? static_cast<double>(s.Int(r, c)) : k == TColumnKind::Float ? s.Float(r, c) : s.Var(r, c).AsDouble();
    }
    bool Eval(const TRecordStore& s, TRecordStore::Row r) const override {
        if (s.IsNull(r, a) || s.IsNull(r, b)) return false;
        if (ka == TColumnKind::Text && kb == TColumnKind::Text) return Apply(op, CompareTexts(s.Text(r, a), s.Text(r, b), ignoreCase));
        if (ka == TColumnKind::Text || kb == TColumnKind::Text) {
            const std::string x = ka == TColumnKind::Text ? std::string(s.Text(r, a)) : rtl::FloatToStr(Num(s, r, a, ka));
            const std::string y = kb == TColumnKind::Text ? std::string(s.Text(r, b)) : rtl::FloatToStr(Num(s, r, b, kb));
            return Apply(op, CompareTexts(x, y, ignoreCase));
        }
        return Apply(op, Cmp(Num(s, r, a, ka), Num(s, r, b, kb)));
    }
};

TOp Mirror(TOp op) {
    switch (op) {
    case TOp::Lt: return TOp::Gt;
    case TOp::Gt: return TOp::Lt;
    case TOp::Le: return TOp::Ge;
    case TOp::Ge: return TOp::Le;
    default: return op;
    }
}

bool IsDateType(TFieldType t) {
    return t == TFieldType::ftDate || t == TFieldType::ftTime || t == TFieldType::ftDateTime || t == TFieldType::ftTimeStamp;
}

class Compiler {
public:
    Compiler(const TFilterExpr& e, const TFilterProgram::TResolver& r, TFilterOptions o) : expr_(e), resolve_(r), options_(o) {}

    std::unique_ptr<TCompiled> Compile(const Node& n) {
        switch (n.kind) {
        case Node::Or:
        case Node::And:
        case Node::Not: {
            auto l = std::make_unique<TLogic>();
            l->kind = n.kind;
            l->a = Compile(*n.left);
            if (n.right) l->b = Compile(*n.right);
            return l;
        }
        case Node::Boolean: {
            auto c = std::make_unique<TConstant>();
            c->value = n.boolean;
            return c;
        }
        case Node::Field: {
            TField* f = Bind(n);
            if (f->DataType() != TFieldType::ftBoolean)
                Fail("the field \"" + n.text + "\" is not a Boolean field and needs a comparison", n.position);
            auto c = std::make_unique<TBoolColumn>();
            c->col = f->FieldNo() - 1;
            return c;
        }
        case Node::IsNull: {
            if (n.left->kind != Node::Field) Fail("IS NULL needs a field", n.position);
            auto c = std::make_unique<TNullTest>();
            c->col = Bind(*n.left)->FieldNo() - 1;
            c->negate = n.negate;
            return c;
        }
        case Node::Compare: return CompileCompare(n);
        default: Fail("a condition expected", n.position);
        }
    }

private:
    [[noreturn]] void Fail(const std::string& what, std::size_t position) const {
        throw EDatabaseError("Filter expression \"" + expr_.Text() + "\": " + what + " at position " + std::to_string(position));
    }

    TField* Bind(const Node& n) {
        TField* f = resolve_(n.text);
        if (!f) Fail("unknown field \"" + n.text + "\"", n.position);
        if (f->FieldNo() <= 0) Fail("the field \"" + n.text + "\" is not stored and cannot be filtered on", n.position);
        return f;
    }

    std::unique_ptr<TCompiled> CompileCompare(const Node& n) {
        const Node* field = n.left->kind == Node::Field ? n.left.get() : nullptr;
        const Node* other = field ? n.right.get() : n.left.get();
        TOp op = n.op;
        if (!field) {
            if (n.right->kind != Node::Field) {
                // Two constants: decided now.
                auto c = std::make_unique<TConstant>();
                const bool texts = n.left->kind == Node::Text || n.right->kind == Node::Text;
                const int cmp = texts ? CompareTexts(ConstText(*n.left), ConstText(*n.right), (options_ & foCaseInsensitive) != 0)
                                      : Cmp(ConstNumber(*n.left), ConstNumber(*n.right));
                c->value = Apply(op, cmp);
                return c;
            }
            field = n.right.get();
            other = n.left.get();
            op = Mirror(op);
        }
        TField* f = Bind(*field);
        const int col = f->FieldNo() - 1;
        const bool ci = (options_ & foCaseInsensitive) != 0;
        if (other->kind == Node::Field) {
            TField* g = Bind(*other);
            auto c = std::make_unique<TColumnsCompare>();
            const bool swapped = field != n.left.get();
            c->a = swapped ? g->FieldNo() - 1 : col;
            c->b = swapped ? col : g->FieldNo() - 1;
            c->ka = KindOf(swapped ? g : f);
            c->kb = KindOf(swapped ? f : g);
            c->op = n.op;
            c->ignoreCase = ci;
            return c;
        }
        switch (KindOf(f)) {
        case TColumnKind::Int:
        case TColumnKind::Float: {
            auto c = std::make_unique<TNumberCompare>();
            c->col = col;
            c->isInt = KindOf(f) == TColumnKind::Int;
            c->op = op;
            if (other->kind == Node::Text) {
                double v;
                rtl::TDateTime d;
                if (IsDateType(f->DataType()) && rtl::TryStrToDateTime(other->text, d)) v = d.Value();
                else if (rtl::TryStrToFloat(other->text, v) || rtl::TryStrToFloat(other->text, v, rtl::InvariantFormatSettings())) {
                } else
                    Fail("'" + other->text + "' is not a valid value for the field \"" + f->FieldName() + "\"", other->position);
                c->value = v;
            } else {
                c->value = ConstNumber(*other);
            }
            return c;
        }
        case TColumnKind::Text: {
            auto c = std::make_unique<TTextCompare>();
            c->col = col;
            c->op = op;
            c->ignoreCase = ci;
            c->value = ConstText(*other);
            c->prefix = false;
            if ((op == TOp::Eq || op == TOp::Ne) && other->kind == Node::Text && !(options_ & foNoPartialCompare) &&
                !c->value.empty() && c->value.back() == '*') {
                c->value.pop_back();
                c->prefix = true;
            }
            return c;
        }
        case TColumnKind::Var: {
            auto c = std::make_unique<TVarCompare>();
            c->col = col;
            c->op = op;
            c->ignoreCase = ci;
            c->value = other->kind == Node::Text ? rtl::Variant(other->text) : rtl::Variant(ConstNumber(*other));
            return c;
        }
        }
        Fail("cannot compare", n.position);
    }

    static TColumnKind KindOf(const TField* f) { return ColumnKindOf(f->DataType()); }

    std::string ConstText(const Node& n) const {
        switch (n.kind) {
        case Node::Text: case Node::Number: return n.text;
        case Node::Boolean: return n.boolean ? "True" : "False";
        default: Fail("a value expected", n.position);
        }
    }

    double ConstNumber(const Node& n) const {
        switch (n.kind) {
        case Node::Number: return n.number;
        case Node::Boolean: return n.boolean ? 1.0 : 0.0;
        case Node::Text: {
            double v;
            if (rtl::TryStrToFloat(n.text, v) || rtl::TryStrToFloat(n.text, v, rtl::InvariantFormatSettings())) return v;
            Fail("'" + n.text + "' is not a number", n.position);
        }
        default: Fail("a value expected", n.position);
        }
    }

    const TFilterExpr& expr_;
    const TFilterProgram::TResolver& resolve_;
    TFilterOptions options_;
};

}  // namespace

struct TFilterProgram::Impl {
    std::unique_ptr<TCompiled> root;
};

TFilterProgram::TFilterProgram(const TFilterExpr& expr, const TResolver& resolve, TFilterOptions options)
    : impl_(std::make_unique<Impl>()) {
    Compiler compiler(expr, resolve, options);
    impl_->root = compiler.Compile(expr.Root());
}

TFilterProgram::~TFilterProgram() = default;
TFilterProgram::TFilterProgram(TFilterProgram&&) noexcept = default;
TFilterProgram& TFilterProgram::operator=(TFilterProgram&&) noexcept = default;

bool TFilterProgram::Matches(const TRecordStore& store, TRecordStore::Row row) const { return impl_->root->Eval(store, row); }

}  // namespace db
