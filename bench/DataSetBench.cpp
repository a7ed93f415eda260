// A million records of the servicings report (19 columns) appended to a client data set,
// sorted on three index fields, filtered and read, next to a baseline doing the same
// with a vector of structs. Both run in one process on the same pre-made values; the
// ratios are printed at the end.
//   dataset_bench [--records=N] [benchmark options]
#include "db/ClientDataSet.h"
#include "db/Collation.h"

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace {

std::size_t gRecords = 1000000;

// The values of one record, made once; both sides copy them in.
struct TSource {
    double clientId;
    int who;
    std::string fieldForFind;
    std::string clientName;
    double graphNum;
    double dateOf;
    std::string posFullName;
    std::string idService;
    std::string service;
    double amount, basePrice, beforeSumPrice, afterPrice, afterSumPrice, discount;
    std::string typeDiscount;
    double terminal, bonus, currentBonus;
};

const std::vector<TSource>& Sources() {
    static const std::vector<TSource> sources = [] {
        std::mt19937_64 rng(20261211);
        const char* surnames[] = {"Иванов", "Петрова", "Сидоров", "Ёлкин", "Кузнецова", "Смирнов", "Попов", "Волкова", "Ершов", "Яковлев"};
        const char* firms[] = {"ООО \"Вектор\"", "АО \"Транспорт\"", "ИП Семёнов", "ООО \"Логистика плюс\"", "ЗАО \"Север\""};
        const char* services[] = {"АИ-95", "АИ-92", "ДТ", "Газ", "Мойка", "Кофе", "Масло моторное"};
        std::vector<TSource> out;
        out.reserve(gRecords);
        for (std::size_t i = 0; i < gRecords; ++i) {
            TSource s;
            const int client = static_cast<int>(rng() % 5000);
            s.clientId = 100000 + client;
            s.who = static_cast<int>(rng() % 3);
            s.clientName = std::string(firms[client % 5]) + " " + surnames[client % 10] + " " + std::to_string(client);
            s.fieldForFind = std::to_string(client) + ";" + s.clientName.substr(0, 12);
            s.graphNum = 7000000000000000.0 + static_cast<double>(rng() % 200000);
            s.dateOf = 46082.0 + static_cast<double>(rng() % 31) + static_cast<double>(rng() % 86400) / 86400.0;
            s.posFullName = "АЗС №" + std::to_string(rng() % 300) + " " + surnames[rng() % 10];
            s.idService = std::to_string(rng() % 40);
            s.service = services[rng() % 7];
            s.amount = static_cast<double>(rng() % 10000) / 100.0;
            s.basePrice = 40.0 + static_cast<double>(rng() % 3000) / 100.0;
            s.beforeSumPrice = s.amount * s.basePrice;
            s.afterPrice = s.basePrice * 0.97;
            s.afterSumPrice = s.amount * s.afterPrice;
            s.discount = s.beforeSumPrice - s.afterSumPrice;
            s.typeDiscount = "3,00 %";
            s.terminal = static_cast<double>(rng() % 900);
            s.bonus = static_cast<double>(rng() % 500) / 10.0;
            s.currentBonus = static_cast<double>(rng() % 50000) / 10.0;
            out.push_back(std::move(s));
        }
        return out;
    }();
    return sources;
}

// The bytes the values themselves take: 8 per number and date, 4 per integer, the texts'
// bytes.
std::size_t RawBytes() {
    std::size_t n = 0;
    for (const TSource& s : Sources())
        n += 15 * 8 + 4 + s.fieldForFind.size() + s.clientName.size() + s.posFullName.size() + s.idService.size() +
             s.service.size() + s.typeDiscount.size();
    return n;
}

std::size_t HeapInUse() { return mallinfo2().uordblks + mallinfo2().hblkhd; }

struct TPhases {
    double append = 0, sort = 0, filter = 0, iterate = 0;
    double Total() const { return append + sort + filter + iterate; }
    std::size_t heapBytes = 0;  // the most heap in use at a phase boundary, above the start
    double checksum = 0;
    std::size_t visible = 0;
};
TPhases gBaseline, gDataSet;

double Ms(std::chrono::steady_clock::time_point a, std::chrono::steady_clock::time_point b) {
    return std::chrono::duration<double, std::milli>(b - a).count();
}

// ---------------------------------------------------------------- baseline

struct TRecord {
    double clientId;
    int who;
    std::string fieldForFind, clientName;
    double graphNum, dateOf;
    std::string posFullName, idService, service;
    double amount, basePrice, beforeSumPrice, afterPrice, afterSumPrice, discount;
    std::string typeDiscount;
    double terminal, bonus, currentBonus;
};

void BM_VectorOfStructs(benchmark::State& state) {
    const auto& src = Sources();
    for (auto _ : state) {
        const std::size_t before = HeapInUse();
        auto t0 = std::chrono::steady_clock::now();
        std::vector<TRecord> recs;
        for (const TSource& s : src)
            recs.push_back(TRecord{s.clientId, s.who, s.fieldForFind, s.clientName, s.graphNum, s.dateOf, s.posFullName,
                                   s.idService, s.service, s.amount, s.basePrice, s.beforeSumPrice, s.afterPrice,
                                   s.afterSumPrice, s.discount, s.typeDiscount, s.terminal, s.bonus, s.currentBonus});
        auto t1 = std::chrono::steady_clock::now();
        std::size_t peak = HeapInUse();
        // The same order as the index: client name (the data layer's collation), card, date.
        std::vector<std::uint32_t> order(recs.size());
        for (std::uint32_t i = 0; i < order.size(); ++i) order[i] = i;
        std::stable_sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) {
            const TRecord& x = recs[a];
            const TRecord& y = recs[b];
            if (int c = db::CompareTexts(x.clientName, y.clientName, false)) return c < 0;
            if (x.graphNum != y.graphNum) return x.graphNum < y.graphNum;
            return x.dateOf < y.dateOf;
        });
        auto t2 = std::chrono::steady_clock::now();
        peak = std::max(peak, HeapInUse());
        std::vector<std::uint32_t> view;
        for (std::uint32_t i : order) {
            const TRecord& r = recs[i];
            if (r.amount > 50 && db::CompareTexts(r.service, "Мойка", false) != 0) view.push_back(i);
        }
        auto t3 = std::chrono::steady_clock::now();
        double sum = 0;
        for (std::uint32_t i : view) sum += recs[i].afterSumPrice + static_cast<double>(recs[i].clientName.size());
        auto t4 = std::chrono::steady_clock::now();
        peak = std::max(peak, HeapInUse());
        gBaseline = TPhases{Ms(t0, t1), Ms(t1, t2), Ms(t2, t3), Ms(t3, t4), peak - before, sum, view.size()};
        benchmark::DoNotOptimize(sum);
    }
    state.counters["append_ms"] = gBaseline.append;
    state.counters["sort_ms"] = gBaseline.sort;
    state.counters["filter_ms"] = gBaseline.filter;
    state.counters["iterate_ms"] = gBaseline.iterate;
    state.counters["heap_MB"] = static_cast<double>(gBaseline.heapBytes) / 1e6;
}

// ---------------------------------------------------------------- client data set

db::TClientDataSet* MakeDataSet() {
    using db::TFieldType;
    auto* ds = vcl::Create<db::TClientDataSet>(nullptr);
    ds->SetName("DS");
    auto& d = ds->FieldDefs();
    d.Add("CLIENT_ID", TFieldType::ftFloat, 0, true);
    d.Add("WHO", TFieldType::ftInteger);
    d.Add("CLNT_FIELD_FOR_FIND", TFieldType::ftString, 4000);
    d.Add("CLIENT_NAME", TFieldType::ftString, 122);
    d.Add("GRAPH_NUM", TFieldType::ftFloat);
    d.Add("DATEOF", TFieldType::ftDateTime, 0, true);
    d.Add("POS_FULLNAME", TFieldType::ftString, 100);
    d.Add("ID_SERVICE", TFieldType::ftString, 100);
    d.Add("SERVICE", TFieldType::ftString, 400);
    for (const char* f : {"AMOUNT", "BASE_PRICE", "BEFORE_SUMPRICE", "AFTER_PRICE", "AFTER_SUMPRICE", "DISCOUNT"})
        d.Add(f, TFieldType::ftFloat);
    d.Add("TYPE_DISCOUNT", TFieldType::ftString, 30);
    for (const char* f : {"TERMINAL", "bonus", "Current_Bonus"}) d.Add(f, TFieldType::ftFloat);
    ds->CreateDataSet();
    return ds;
}

void BM_ClientDataSet(benchmark::State& state) {
    const auto& src = Sources();
    for (auto _ : state) {
        const std::size_t before = HeapInUse();
        auto t0 = std::chrono::steady_clock::now();
        db::TClientDataSet* ds = MakeDataSet();
        ds->Reserve(src.size());
        std::vector<db::TField*> f;
        for (int i = 0; i < ds->FieldCount(); ++i) f.push_back(ds->Fields(i));
        ds->DisableControls();
        for (const TSource& s : src) {
            ds->Append();
            f[0]->SetAsFloat(s.clientId);
            f[1]->SetAsInteger(s.who);
            f[2]->SetAsString(s.fieldForFind);
            f[3]->SetAsString(s.clientName);
            f[4]->SetAsFloat(s.graphNum);
            f[5]->SetAsDateTime(s.dateOf);
            f[6]->SetAsString(s.posFullName);
            f[7]->SetAsString(s.idService);
            f[8]->SetAsString(s.service);
            f[9]->SetAsFloat(s.amount);
            f[10]->SetAsFloat(s.basePrice);
            f[11]->SetAsFloat(s.beforeSumPrice);
            f[12]->SetAsFloat(s.afterPrice);
            f[13]->SetAsFloat(s.afterSumPrice);
            f[14]->SetAsFloat(s.discount);
            f[15]->SetAsString(s.typeDiscount);
            f[16]->SetAsFloat(s.terminal);
            f[17]->SetAsFloat(s.bonus);
            f[18]->SetAsFloat(s.currentBonus);
            ds->Post();
        }
        auto t1 = std::chrono::steady_clock::now();
        std::size_t peak = HeapInUse();
        ds->SetIndexFieldNames("CLIENT_NAME;GRAPH_NUM;DATEOF");
        auto t2 = std::chrono::steady_clock::now();
        peak = std::max(peak, HeapInUse());
        ds->SetFilter("AMOUNT > 50 AND SERVICE <> 'Мойка'");
        ds->SetFiltered(true);
        auto t3 = std::chrono::steady_clock::now();
        peak = std::max(peak, HeapInUse());
        double sum = 0;
        db::TField* afterSum = ds->FieldByName("AFTER_SUMPRICE");
        db::TField* name = ds->FieldByName("CLIENT_NAME");
        std::size_t visible = 0;
        for (ds->First(); !ds->Eof(); ds->Next()) {
            sum += afterSum->GetAsFloat() + static_cast<double>(name->GetAsString().size());
            ++visible;
        }
        auto t4 = std::chrono::steady_clock::now();
        ds->EnableControls();
        peak = std::max(peak, HeapInUse());
        gDataSet = TPhases{Ms(t0, t1), Ms(t1, t2), Ms(t2, t3), Ms(t3, t4), peak - before, sum, visible};
        benchmark::DoNotOptimize(sum);
        rtl::TObject::Free(ds);
    }
    state.counters["append_ms"] = gDataSet.append;
    state.counters["sort_ms"] = gDataSet.sort;
    state.counters["filter_ms"] = gDataSet.filter;
    state.counters["iterate_ms"] = gDataSet.iterate;
    state.counters["heap_MB"] = static_cast<double>(gDataSet.heapBytes) / 1e6;
}

BENCHMARK(BM_VectorOfStructs)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ClientDataSet)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i)
        if (std::strncmp(argv[i], "--records=", 10) == 0) gRecords = std::stoul(argv[i] + 10);
    Sources();  // made before anything is measured
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (gBaseline.Total() > 0 && gDataSet.Total() > 0) {
        const double raw = static_cast<double>(RawBytes());
        std::printf("\nrecords %zu, visible after the filter %zu (baseline %zu), checksums %s\n", gRecords,
                    gDataSet.visible, gBaseline.visible, gDataSet.checksum == gBaseline.checksum ? "equal" : "DIFFER");
        std::printf("time ratio data set / baseline: total %.2f (append %.2f, sort %.2f, filter %.2f, iterate %.2f)\n",
                    gDataSet.Total() / gBaseline.Total(), gDataSet.append / gBaseline.append, gDataSet.sort / gBaseline.sort,
                    gDataSet.filter / gBaseline.filter, gDataSet.iterate / gBaseline.iterate);
        std::printf("peak memory: raw values %.1f MB; data set heap %.1f MB (%.2f x raw); baseline heap %.1f MB (%.2f x raw)\n",
                    raw / 1e6, static_cast<double>(gDataSet.heapBytes) / 1e6, static_cast<double>(gDataSet.heapBytes) / raw,
                    static_cast<double>(gBaseline.heapBytes) / 1e6, static_cast<double>(gBaseline.heapBytes) / raw);
    }
    return 0;
}
