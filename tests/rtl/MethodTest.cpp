// TMethod: an object and one of its member functions, compared by code and by data.
#include "rtl/Method.h"

#include <gtest/gtest.h>

#include <string>

using rtl::TMethod;

namespace {

struct Counter {
    int total = 0;
    void Add(int k) { total += k; }
    void Sub(int k) { total -= k; }
};

struct Base {
    virtual ~Base() = default;
    virtual std::string Name(int n) { return "base" + std::to_string(n); }
};
struct Derived : Base {
    std::string Name(int n) override { return "derived" + std::to_string(n); }
};

TEST(Method, CallsTheBoundMember) {
    Counter c;
    TMethod<void(int)> add(&c, &Counter::Add);
    add(5);
    add(2);
    EXPECT_EQ(c.total, 7);
    EXPECT_EQ(add.Data(), &c);

    // Virtual members dispatch on the object, as through the object itself.
    Derived d;
    TMethod<std::string(int)> name(static_cast<Base*>(&d), &Base::Name);
    EXPECT_EQ(name(1), "derived1");
    Base b;
    EXPECT_EQ(TMethod<std::string(int)>(&b, &Base::Name)(2), "base2");
}

TEST(Method, EqualityIsCodeAndData) {
    Counter a, b;
    const TMethod<void(int)> aAdd(&a, &Counter::Add), aAdd2(&a, &Counter::Add), bAdd(&b, &Counter::Add),
        aSub(&a, &Counter::Sub);
    EXPECT_TRUE(aAdd == aAdd2);
    EXPECT_FALSE(aAdd == bAdd);
    EXPECT_TRUE(aAdd.SameCode(bAdd));  // same function on another object
    EXPECT_FALSE(aAdd == aSub);
    EXPECT_FALSE(aAdd.SameCode(aSub));
    const TMethod<void(int)> copy = aAdd;
    EXPECT_TRUE(copy == aAdd);
}

TEST(Method, EmptyMethods) {
    TMethod<void(int)> m;
    EXPECT_FALSE(m);
    EXPECT_FALSE(m.Assigned());
    EXPECT_TRUE(m == TMethod<void(int)>(nullptr));
    Counter c;
    m = TMethod<void(int)>(&c, &Counter::Add);
    EXPECT_TRUE(m.Assigned());
    EXPECT_FALSE(m == TMethod<void(int)>());
    m = nullptr;
    EXPECT_FALSE(m);
}

TEST(Method, FromFunction) {
    int calls = 0;
    const auto f = TMethod<int(int)>::FromFunction([&](int x) { ++calls; return x * 2; });
    EXPECT_TRUE(f.Assigned());
    EXPECT_EQ(f(21), 42);
    EXPECT_EQ(calls, 1);
    const auto copy = f;  // copies keep the callable alive and are the same method
    EXPECT_TRUE(copy == f);
    EXPECT_EQ(copy(1), 2);
    const auto g = TMethod<int(int)>::FromFunction([&](int x) { ++calls; return x * 2; });
    EXPECT_FALSE(f == g);  // separately made functions never compare equal
    EXPECT_FALSE(f.SameCode(g));

    TMethod<int(int)> outlived;
    {
        std::string captured = "a long enough text to live on the heap, not in the object";
        outlived = TMethod<int(int)>::FromFunction([captured](int) { return static_cast<int>(captured.size()); });
    }
    EXPECT_EQ(outlived(0), 57);
}

}  // namespace
