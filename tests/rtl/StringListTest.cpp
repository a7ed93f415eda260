// TStringList: sorting and duplicates, case-insensitive search, comma and delimited text,
// name=value pairs, owned objects, line text, change notification and files.
#include "rtl/StringList.h"

#include "TestUtil.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace rtl;
using rtltest::ThrowsWith;

namespace {

std::vector<std::string> Items(const TStringList& list) { return {list.begin(), list.end()}; }

using Texts = std::vector<std::string>;

// An object that counts the live instances, so owning lists can be checked for leaks and
// double frees (the sanitizer build catches the rest).
class Tracked : public TObject {
public:
    explicit Tracked(int id = 0) : Id(id) { ++Live; }
    ~Tracked() override { --Live; }
    int Id;
    static inline int Live = 0;
};

TEST(StringList, IndexErrorsAndBasicEditing) {
    TStringList list{"a", "b", "c"};
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list[1], "b");
    EXPECT_TRUE(ThrowsWith<EStringListError>([&] { (void)list.Strings(3); }, "List index out of bounds (3)"));
    EXPECT_TRUE(ThrowsWith<EListError>([&] { list.Delete(-1); }, "List index out of bounds (-1)"));
    EXPECT_THROW(list.Insert(5, "x"), EStringListError);
    list.Insert(3, "d");  // at the end is allowed
    list.Insert(0, "z");
    EXPECT_EQ(Items(list), (Texts{"z", "a", "b", "c", "d"}));
    list.Exchange(0, 4);
    EXPECT_EQ(Items(list), (Texts{"d", "a", "b", "c", "z"}));
    list.Move(0, 3);
    EXPECT_EQ(Items(list), (Texts{"a", "b", "c", "d", "z"}));
    list.Move(4, 0);
    EXPECT_EQ(Items(list), (Texts{"z", "a", "b", "c", "d"}));
    list.SetStrings(0, "y");
    list.Delete(4);
    EXPECT_EQ(Items(list), (Texts{"y", "a", "b", "c"}));
    EXPECT_EQ(list.IndexOf("B"), 2);
    EXPECT_EQ(list.IndexOf("q"), -1);
    list.Clear();
    EXPECT_TRUE(list.Empty());
}

TEST(StringList, SortedListsAndDuplicates) {
    TStringList list;
    list.SetSorted(true);
    EXPECT_EQ(list.Duplicates(), TDuplicates::dupIgnore);
    EXPECT_EQ(list.Add("b"), 0);
    EXPECT_EQ(list.Add("a"), 0);
    EXPECT_EQ(list.Add("c"), 2);
    EXPECT_EQ(list.Add("B"), 1);  // ignored: the existing entry's index
    EXPECT_EQ(Items(list), (Texts{"a", "b", "c"}));

    list.SetDuplicates(TDuplicates::dupError);
    EXPECT_TRUE(ThrowsWith<EStringListError>([&] { list.Add("C"); }, "String list does not allow duplicates"));
    EXPECT_EQ(list.Count(), 3);

    list.SetDuplicates(TDuplicates::dupAccept);
    list.Add("b");
    list.Add("B");
    EXPECT_EQ(list.Count(), 5);
    int index = -1;
    EXPECT_TRUE(list.Find("b", index));
    EXPECT_EQ(index, 1);  // the first of the equal entries
    EXPECT_FALSE(list.Find("bb", index));
    EXPECT_EQ(index, 4);  // where it would go
    EXPECT_FALSE(list.Find("0", index));
    EXPECT_EQ(index, 0);

    EXPECT_TRUE(ThrowsWith<EStringListError>([&] { list.Insert(0, "x"); }, "Operation not allowed on sorted list"));
    EXPECT_THROW(list.SetStrings(0, "x"), EStringListError);
}

TEST(StringList, SortingFollowsTheRussianCollation) {
    TStringList list{"яблоко", "ёлка", "Ель", "жук", "арбуз", "ежевика", "Банан", "apple"};
    list.SetSorted(true);  // sorts what is there
    EXPECT_EQ(Items(list), (Texts{"apple", "арбуз", "Банан", "ежевика", "ёлка", "Ель", "жук", "яблоко"}));
    int index = -1;
    EXPECT_TRUE(list.Find("ЁЛКА", index));
    EXPECT_EQ(index, 4);
    EXPECT_EQ(list.IndexOf("ЖУК"), 6);
    EXPECT_EQ(list.IndexOf("елка"), -1);  // "е" and "ё" are different letters
    list.Add("вишня");
    EXPECT_EQ(list.IndexOf("Вишня"), 3);
}

TEST(StringList, CaseSensitivity) {
    TStringList list{"Привет", "мир"};
    EXPECT_EQ(list.IndexOf("ПРИВЕТ"), 0);
    EXPECT_EQ(list.IndexOf("МИР"), 1);
    list.SetCaseSensitive(true);
    EXPECT_EQ(list.IndexOf("ПРИВЕТ"), -1);
    EXPECT_EQ(list.IndexOf("Привет"), 0);
    TStringList sorted;
    sorted.SetCaseSensitive(true);
    sorted.SetSorted(true);
    sorted.SetDuplicates(TDuplicates::dupError);
    sorted.Add("Б");
    sorted.Add("б");  // a different text when case counts
    sorted.Add("а");
    EXPECT_EQ(Items(sorted), (Texts{"а", "б", "Б"}));
    EXPECT_THROW(sorted.Add("б"), EStringListError);
}

TEST(StringList, CommaTextRoundTrip) {
    TStringList list{"plain", "with space", "with,comma", "with\"quote", "", "last"};
    EXPECT_EQ(list.CommaText(), "plain,\"with space\",\"with,comma\",\"with\"\"quote\",,last");
    TStringList back;
    back.SetCommaText(list.CommaText());
    EXPECT_EQ(Items(back), Items(list));

    TStringList single{""};
    EXPECT_EQ(single.CommaText(), "\"\"");
    back.SetCommaText(single.CommaText());
    EXPECT_EQ(Items(back), Texts{""});

    TStringList cyrillic{"Отчёт по картам", "итог"};
    back.SetCommaText(cyrillic.CommaText());
    EXPECT_EQ(Items(back), Items(cyrillic));
    EXPECT_EQ(TStringList().CommaText(), "");
}

TEST(StringList, CommaTextParsing) {
    struct Case {
        const char* text;
        Texts items;
    };
    const Case cases[] = {
        {"a b,\"c d\",,", {"a", "b", "c d", "", ""}},  // blanks separate outside quotes
        {" x , y ", {"x", "y"}},
        {"", {}},
        {"   ", {}},
        {",", {"", ""}},
        {"a,", {"a", ""}},
        {",a", {"", "a"}},
        {"\"\"", {""}},
        {"\"a\"\"b\",c", {"a\"b", "c"}},
        {"\"a\"b", {"a", "b"}},  // text straight after a closing quote starts a new item
        {"\"open", {"open"}},
        {"один,два три", {"один", "два", "три"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        TStringList list{"stale"};
        list.SetCommaText(c.text);
        EXPECT_EQ(Items(list), c.items);
    }
}

TEST(StringList, DelimitedTextWithStrictDelimiter) {
    TStringList list;
    list.Delimiter = ';';
    list.StrictDelimiter = true;
    list.SetDelimitedText("a b;c;;d ");
    EXPECT_EQ(Items(list), (Texts{"a b", "c", "", "d "}));
    EXPECT_EQ(list.DelimitedText(), "a b;c;;d ");  // blanks need no quotes when strict
    list.Clear();
    list.Add("x;y");
    list.Add("q\"r");
    list.Add("plain");
    EXPECT_EQ(list.DelimitedText(), "\"x;y\";\"q\"\"r\";plain");
    TStringList back;
    back.Delimiter = ';';
    back.StrictDelimiter = true;
    back.SetDelimitedText(list.DelimitedText());
    EXPECT_EQ(Items(back), Items(list));

    list.StrictDelimiter = false;
    list.SetDelimitedText("a b;c;;d ");
    EXPECT_EQ(Items(list), (Texts{"a", "b", "c", "", "d"}));
    list.QuoteChar = '\'';
    list.SetDelimitedText("'a;b';c");
    EXPECT_EQ(Items(list), (Texts{"a;b", "c"}));
    list.Clear();
    list.Add("a b");
    EXPECT_EQ(list.DelimitedText(), "'a b'");
}

TEST(StringList, NamesAndValues) {
    TStringList list{"Ключ=значение", "b=2", "plain", "empty=", "eq=a=b"};
    EXPECT_EQ(list.Names(0), "Ключ");
    EXPECT_EQ(list.Names(2), "");
    EXPECT_EQ(list.Values("КЛЮЧ"), "значение");
    EXPECT_EQ(list.Values("B"), "2");
    EXPECT_EQ(list.Values("plain"), "");
    EXPECT_EQ(list.Values("missing"), "");
    EXPECT_EQ(list.Values("eq"), "a=b");
    EXPECT_EQ(list.ValueFromIndex(1), "2");
    EXPECT_EQ(list.ValueFromIndex(2), "");
    EXPECT_EQ(list.IndexOfName("EMPTY"), 3);
    EXPECT_EQ(list.IndexOfName("plain"), -1);

    list.SetValues("b", "3");
    EXPECT_EQ(list[1], "b=3");
    list.SetValues("new", "x");
    EXPECT_EQ(list[list.Count() - 1], "new=x");
    list.SetValues("b", "");  // an empty value deletes the entry
    EXPECT_EQ(list.IndexOfName("b"), -1);
    const int before = list.Count();
    list.SetValues("absent", "");
    EXPECT_EQ(list.Count(), before);
    list.SetValueFromIndex(0, "другое");
    EXPECT_EQ(list[0], "Ключ=другое");

    TStringList colon;
    colon.NameValueSeparator = ':';
    colon.Add("host:localhost");
    EXPECT_EQ(colon.Values("HOST"), "localhost");
}

TEST(StringList, OwnedObjectsAreFreedOnce) {
    Tracked::Live = 0;
    {
        TStringList list(true);
        list.AddObject("a", new Tracked(1));
        list.AddObject("b", new Tracked(2));
        list.AddObject("c", new Tracked(3));
        list.AddObject("d", new Tracked(4));
        EXPECT_EQ(Tracked::Live, 4);
        EXPECT_EQ(static_cast<Tracked*>(list.Objects(1))->Id, 2);
        EXPECT_EQ(list.IndexOfObject(list.Objects(2)), 2);
        list.Delete(0);
        EXPECT_EQ(Tracked::Live, 3);
        list.SetObjects(0, new Tracked(5));  // the replaced object goes
        EXPECT_EQ(Tracked::Live, 3);
        list.SetObjects(0, list.Objects(0));  // setting the same object keeps it
        EXPECT_EQ(Tracked::Live, 3);
        list.Exchange(0, 1);
        list.SetSorted(true);
        list.SetDuplicates(TDuplicates::dupError);
        EXPECT_THROW(list.AddObject("c", new Tracked(6)), EStringListError);
        EXPECT_EQ(Tracked::Live, 3);
        list.SetDuplicates(TDuplicates::dupIgnore);
        list.AddObject("c", new Tracked(7));
        EXPECT_EQ(Tracked::Live, 3);
        list.Clear();
        EXPECT_EQ(Tracked::Live, 0);
        list.AddObject("e", new Tracked(8));
    }
    EXPECT_EQ(Tracked::Live, 0);  // the destructor frees the rest

    Tracked kept(9);
    {
        TStringList list;  // not owning: objects are left alone
        list.AddObject("k", &kept);
        list.Delete(0);
        list.AddObject("k", &kept);
    }
    EXPECT_EQ(Tracked::Live, 1);
}

TEST(StringList, LineText) {
    TStringList list{"a", "б", ""};
    EXPECT_EQ(list.Text(), "a\r\nб\r\n\r\n");
    list.SetText("x\ny\r\nz\rw");
    EXPECT_EQ(Items(list), (Texts{"x", "y", "z", "w"}));
    list.SetText("a\n\nb\r\n");
    EXPECT_EQ(Items(list), (Texts{"a", "", "b"}));
    list.SetText("");
    EXPECT_TRUE(list.Empty());
    list.SetText("\r\n");
    EXPECT_EQ(Items(list), Texts{""});
    TStringList back;
    back.SetText(TStringList{"one", "", "two"}.Text());
    EXPECT_EQ(Items(back), (Texts{"one", "", "two"}));
}

TEST(StringList, ChangeNotificationWaitsForEndUpdate) {
    struct Listener {
        int changes = 0, changings = 0;
        TObject* sender = nullptr;
        void Changed(TObject* s) { ++changes, sender = s; }
        void Changing(TObject*) { ++changings; }
    } listener;
    TStringList list;
    list.OnChange = TNotifyEvent(&listener, &Listener::Changed);
    list.OnChanging = TNotifyEvent(&listener, &Listener::Changing);
    list.Add("a");
    EXPECT_EQ(listener.changes, 1);
    EXPECT_EQ(listener.changings, 1);
    EXPECT_EQ(listener.sender, &list);
    list.BeginUpdate();
    list.Add("b");
    list.BeginUpdate();
    list.Add("c");
    list.Delete(0);
    list.EndUpdate();
    EXPECT_EQ(listener.changes, 1);  // still inside the outer update
    list.EndUpdate();
    EXPECT_EQ(listener.changes, 2);
    list.SetCommaText("x,y,z");
    EXPECT_EQ(listener.changes, 3);  // one notice for the whole text
    list.SetText("p\nq");
    EXPECT_EQ(listener.changes, 4);
    list.EndUpdate();  // unbalanced: ignored
    EXPECT_EQ(listener.changes, 4);
    list.OnChange = nullptr;
    list.Add("r");
    EXPECT_EQ(listener.changes, 4);
}

TEST(StringList, AssignAndAddStrings) {
    TStringList source{"b", "a", "b"};
    source.Delimiter = ';';
    TStringList target{"old"};
    target.Assign(source);
    EXPECT_EQ(Items(target), (Texts{"b", "a", "b"}));
    EXPECT_EQ(target.Delimiter, ';');
    TStringList sorted;
    sorted.SetSorted(true);
    sorted.AddStrings(source);
    EXPECT_EQ(Items(sorted), (Texts{"a", "b"}));
}

TEST(StringList, Files) {
    rtltest::TempDir dir;
    const std::string name = dir.Path("list.txt");
    TStringList list{"первая", "", "third"};
    list.SaveToFile(name);
    EXPECT_EQ(rtltest::ReadFile(name), "первая\r\n\r\nthird\r\n");
    TStringList back{"stale"};
    back.LoadFromFile(name);
    EXPECT_EQ(Items(back), Items(list));

    rtltest::WriteFile(name, "\xEF\xBB\xBF" "bom\nline");
    back.LoadFromFile(name);
    EXPECT_EQ(Items(back), (Texts{"bom", "line"}));

    const std::string missing = dir.Path("missing.txt");
    EXPECT_TRUE(ThrowsWith<EInOutError>([&] { back.LoadFromFile(missing); }, missing));
    const std::string nowhere = dir.Path("no/such/folder.txt");
    EXPECT_TRUE(ThrowsWith<EInOutError>([&] { list.SaveToFile(nowhere); }, nowhere));
}

}  // namespace
