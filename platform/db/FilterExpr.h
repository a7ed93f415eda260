// Filter expressions of the data sets: comparisons (= <> < > <= >=) of fields with
// quoted texts, numbers, TRUE/FALSE, NULL (and "IS [NOT] NULL"), combined with AND, OR,
// NOT and parentheses; field names are case-insensitive and may be bracketed ([My Field]).
// A text compared with "=" that ends in "*" matches as a prefix unless partial compare
// is switched off. A text is parsed once; errors name the expression and the position.
#pragma once

#include "db/DB.h"
#include "db/RecordStore.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace db {

class TField;

// A parsed filter, not yet bound to fields.
class TFilterExpr {
public:
    // Raises EDatabaseError: Filter expression "text": <what> at position <n>.
    static std::shared_ptr<const TFilterExpr> Parse(std::string_view text);
    const std::string& Text() const noexcept { return text_; }

    struct Node;
    const Node& Root() const noexcept { return *root_; }
    ~TFilterExpr();

private:
    TFilterExpr() = default;
    std::string text_;
    std::unique_ptr<Node> root_;
};

// A filter bound to a data set's fields: a predicate over the rows of its record store.
class TFilterProgram {
public:
    using TResolver = std::function<TField*(std::string_view name)>;
    // Resolves every field name (the resolver raises for unknown names) and converts the
    // constants to the fields' types once. Fields that are not stored (calculated,
    // lookup) cannot be filtered on.
    TFilterProgram(const TFilterExpr& expr, const TResolver& resolve, TFilterOptions options);
    ~TFilterProgram();
    TFilterProgram(TFilterProgram&&) noexcept;
    TFilterProgram& operator=(TFilterProgram&&) noexcept;

    bool Matches(const TRecordStore& store, TRecordStore::Row row) const;

    struct Impl;

private:
    std::unique_ptr<Impl> impl_;
};

}  // namespace db
