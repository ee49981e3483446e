// How text preparation compares with the least that a preparation searching
// the whole text for every row must do: one plain scan of the text for each
// row (a search for a word that is not there). The dictionary benchmarks also
// run such a preparation, PrepareTextRowByRow, beside PrepareText, which
// looks most rows up in an index of the text instead. Each benchmark reports
//   vs_scan       its time divided by the time of those scans (aim: at most 3)
//   scan_ms       the time of those scans
//   vs_scan_copy  its time divided by the time of those scans plus one copy
//                 of the text into newly allocated memory, the least that a
//                 preparation whose text grows must do
//   peak_extra    the most memory it held at once beyond its input, divided by
//                 the size of the input text in bytes
//   size_change   how many characters longer the prepared text is
//   rows_in_text  (dictionaries) how many rows' words the text holds at first
//   same          (dictionaries) 1 when the result is the row-by-row one
// Memory is counted by replacing the global operator new of this program.
// Text sizes count characters: a "1 MiB" text holds 2^20 of them.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <clocale>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cwctype>
#include <new>
#include <random>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "reading/text_preparation.h"

namespace {

// Every block carries its size in front, so that a delete knows what it frees.
constexpr std::size_t kHeader = alignof(std::max_align_t);
std::size_t liveBytes = 0;
std::size_t peakBytes = 0;

void* CountedAllocate(std::size_t size) {
  auto* block = static_cast<unsigned char*>(std::malloc(size + kHeader));
  if (block == nullptr) throw std::bad_alloc();
  *reinterpret_cast<std::size_t*>(block) = size;
  liveBytes += size;
  peakBytes = std::max(peakBytes, liveBytes);
  return block + kHeader;
}

void CountedFree(void* pointer) {
  if (pointer == nullptr) return;
  unsigned char* block = static_cast<unsigned char*>(pointer) - kHeader;
  liveBytes -= *reinterpret_cast<std::size_t*>(block);
  std::free(block);
}

}  // namespace

void* operator new(std::size_t size) { return CountedAllocate(size); }
void* operator new[](std::size_t size) { return CountedAllocate(size); }
void operator delete(void* pointer) noexcept { CountedFree(pointer); }
void operator delete[](void* pointer) noexcept { CountedFree(pointer); }
void operator delete(void* pointer, std::size_t) noexcept { CountedFree(pointer); }
void operator delete[](void* pointer, std::size_t) noexcept { CountedFree(pointer); }

namespace {

using Clock = std::chrono::steady_clock;

constexpr std::size_t kMiB = std::size_t{1} << 20;
// Built like the correction words below, but never in any text here.
constexpr std::wstring_view kAbsentWord = L"zxqjv";
const std::wstring kDefaultIgnoredCharacters = L"*\\/\"`_~:'";

// Filler words never contain q, x or z, which start the correction words, so
// a correction word occurs exactly where it was put.
class TextMaker {
 public:
  explicit TextMaker(unsigned seed) : random_(seed) {}

  std::size_t Below(std::size_t count) {
    return std::uniform_int_distribution<std::size_t>(0, count - 1)(random_);
  }

  void AddFillerWord(std::wstring& text, std::size_t maxLength) {
    static constexpr std::wstring_view kLetters = L"abcdefghijklmnoprstuvwyABCDEGHILMNOPRST";
    static constexpr std::wstring_view kSeparators = L"     ,.;\n";
    for (std::size_t length = 1 + Below(maxLength); length > 0; --length) {
      text += kLetters[Below(kLetters.size())];
    }
    text += kSeparators[Below(kSeparators.size())];
  }

  void FillUpTo(std::wstring& text, std::size_t size) {
    while (text.size() < size) AddFillerWord(text, 9);
    text.resize(size);
  }

 private:
  std::mt19937 random_;
};

// Row n's word: "zq" and n written with three letters.
std::wstring Word(std::size_t n) {
  std::wstring word = L"zq";
  for (int digit = 0; digit < 3; ++digit) {
    word += static_cast<wchar_t>(L'a' + n % 26);
    n /= 26;
  }
  return word;
}

// One character longer than the word (the text grows and is rebuilt) or
// shorter (it is rewritten in place); never containing a row's word.
enum class Length { kLonger, kShorter };
std::wstring Pronunciation(std::size_t n, Length length) {
  return length == Length::kLonger ? L"s" + Word(n).substr(1) + L"e" : L"s" + Word(n).substr(2);
}

// One row for each word number, in that order.
TextPreparationSettings Corrections(const std::vector<std::size_t>& numbers,
                                    const wchar_t* caseSensitive, Length length) {
  TextPreparationSettings settings;
  settings.correctWords = true;
  for (std::size_t n : numbers) {
    settings.corrections.push_back({Word(n), Pronunciation(n, length), caseSensitive});
  }
  return settings;
}

// `wordCount` words, each `repeats` times at random places, filler between.
std::wstring TextWithWords(std::size_t size, std::size_t wordCount, std::size_t repeats) {
  TextMaker maker(1);
  std::vector<std::size_t> order(wordCount * repeats);
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = i % wordCount;
  std::shuffle(order.begin(), order.end(), std::mt19937(2));
  // Filler of 1 to `fillerLength` letters keeps the words spread over nearly
  // all of the text.
  const std::size_t fillerLength = 2 * (size / order.size() - 8) - 1;
  std::wstring text;
  text.reserve(size);
  for (std::size_t n : order) {
    text += Word(n);
    text += L' ';
    maker.AddFillerWord(text, fillerLength);
  }
  maker.FillUpTo(text, size);
  return text;
}

std::wstring TextWithIgnoredCharacters(std::size_t size) {
  TextMaker maker(3);
  std::wstring text;
  text.reserve(size);
  while (text.size() < size) {
    maker.AddFillerWord(text, 9);
    if (maker.Below(3) == 0) text += kDefaultIgnoredCharacters[maker.Below(9)];
  }
  text.resize(size);
  return text;
}

double Seconds(Clock::duration duration) { return std::chrono::duration<double>(duration).count(); }

// The baseline: `rows` searches of the whole text for an absent word.
double ScanSeconds(const std::wstring& text, std::size_t rows) {
  const Clock::time_point start = Clock::now();
  for (std::size_t row = 0; row < rows; ++row) {
    std::wstring_view view = text;
    benchmark::DoNotOptimize(view);
    std::size_t found = view.find(kAbsentWord);
    benchmark::DoNotOptimize(found);
  }
  return Seconds(Clock::now() - start);
}

// Letter case as the program folds it: a table of every 16-bit unit's
// upper-case form, made before the benchmarks start so that its memory is not
// counted, read through a function pointer.
std::array<wchar_t, 0x10000> MakeUpperTable() {
  std::setlocale(LC_CTYPE, "C.UTF-8");
  std::array<wchar_t, 0x10000> table;
  for (std::size_t unit = 0; unit < table.size(); ++unit) {
    const auto upper = std::towupper(static_cast<std::wint_t>(unit));
    table[unit] = static_cast<wchar_t>(upper < 0x10000 ? upper : unit);
  }
  return table;
}
const std::array<wchar_t, 0x10000> kUpper = MakeUpperTable();

wchar_t TableFold(wchar_t c) {
  const auto unit = static_cast<std::uint32_t>(c);
  return unit < kUpper.size() ? kUpper[unit] : c;
}

using Preparation = std::wstring (*)(std::wstring, const TextPreparationSettings&, CaseFold);

// Prepares a fresh copy of `text` in each iteration; the copy is made outside
// the timed part, and the time is the benchmark's manual time. The baselines
// run in every iteration too, so that all see the same load on the machine.
void MeasurePreparation(benchmark::State& state, const std::wstring& text,
                        const TextPreparationSettings& settings, std::size_t rows,
                        Preparation prepare = PrepareText) {
  double prepareSeconds = 0;
  double scanSeconds = 0;
  double copySeconds = 0;
  std::size_t peakExtra = 0;
  std::size_t preparedSize = 0;
  for (auto _ : state) {
    const Clock::time_point copyStart = Clock::now();
    std::wstring input = text;
    benchmark::DoNotOptimize(input.data());
    copySeconds += Seconds(Clock::now() - copyStart);
    const std::size_t before = liveBytes;
    peakBytes = liveBytes;
    const Clock::time_point start = Clock::now();
    std::wstring prepared = prepare(std::move(input), settings, TableFold);
    const double seconds = Seconds(Clock::now() - start);
    benchmark::DoNotOptimize(prepared.data());
    state.SetIterationTime(seconds);
    prepareSeconds += seconds;
    peakExtra = std::max(peakExtra, peakBytes - before);
    preparedSize = prepared.size();
    scanSeconds += ScanSeconds(text, rows);
  }
  const double iterations = static_cast<double>(state.iterations());
  const double textBytes = static_cast<double>(text.size() * sizeof(wchar_t));
  state.counters["vs_scan"] = prepareSeconds / scanSeconds;
  state.counters["scan_ms"] = scanSeconds / iterations * 1e3;
  state.counters["vs_scan_copy"] = prepareSeconds / (scanSeconds + copySeconds);
  state.counters["peak_extra"] = static_cast<double>(peakExtra) / textBytes;
  // Each pronunciation here is one character longer or shorter than its word:
  // this counts the replacements, a check that the text holds what it should.
  state.counters["size_change"] =
      static_cast<double>(preparedSize) - static_cast<double>(text.size());
}

// A made-up language built from syllables, so that its words share their
// letter pairs and triples as the words of a real language do: the words of a
// dictionary that are not in a text are still made of pieces that are.
class SyllableWords {
 public:
  explicit SyllableWords(unsigned seed) : maker_(seed) {}

  std::wstring Next(std::size_t fewestSyllables = 1) {
    static constexpr std::wstring_view kOnsets[] = {
        L"b", L"c", L"d", L"f", L"g",  L"h",  L"k",  L"l",  L"m",  L"n",  L"p", L"r",
        L"s", L"t", L"v", L"w", L"st", L"tr", L"pl", L"gr", L"ch", L"sh", L"th"};
    static constexpr std::wstring_view kNuclei[] = {L"a",  L"e",  L"i",  L"o", L"u",
                                                    L"ai", L"ea", L"ou", L"oo"};
    static constexpr std::wstring_view kCodas[] = {L"",  L"",  L"",  L"n",  L"r",
                                                   L"s", L"t", L"l", L"nd", L"st"};
    std::wstring word;
    for (std::size_t syllables = fewestSyllables + maker_.Below(3); syllables > 0; --syllables) {
      word += kOnsets[maker_.Below(std::size(kOnsets))];
      word += kNuclei[maker_.Below(std::size(kNuclei))];
      word += kCodas[maker_.Below(std::size(kCodas))];
    }
    return word;
  }

  std::size_t Below(std::size_t count) { return maker_.Below(count); }

 private:
  TextMaker maker_;
};

// A dictionary and a text of that language: the text draws its words from a
// vocabulary of 3,000, in sentences that begin with a capital letter. Every
// hundredth row's word is from the vocabulary, so it occurs now and then; the
// other rows' words, of two to four syllables, are not (but may still stand
// inside a longer word or across two). Each
// pronunciation is its word with an "h" behind it.
struct Dictionary {
  std::wstring text;
  TextPreparationSettings settings;
};

Dictionary MakeDictionary(std::size_t size, std::size_t rows, const wchar_t* caseSensitive) {
  SyllableWords words(4);
  std::vector<std::wstring> vocabulary;
  std::set<std::wstring> known;
  while (vocabulary.size() < 3000) {
    std::wstring word = words.Next();
    if (known.insert(word).second) vocabulary.push_back(std::move(word));
  }
  Dictionary result;
  std::size_t sentence = 0;
  while (result.text.size() < size) {
    std::wstring word = vocabulary[words.Below(vocabulary.size())];
    if (sentence == 0) word[0] = static_cast<wchar_t>(word[0] - L'a' + L'A');
    result.text += word;
    sentence = (sentence + 1) % (5 + words.Below(10));
    result.text += sentence == 0 ? L". " : words.Below(8) == 0 ? L", " : L" ";
  }
  result.text.resize(size);
  result.settings.correctWords = true;
  for (std::size_t row = 0; row < rows; ++row) {
    std::wstring word;
    if (row % 100 == 0) {
      word = vocabulary[row / 100];
    } else {
      do word = words.Next(2);
      while (!known.insert(word).second);
    }
    result.settings.corrections.push_back({word, word + L"h", caseSensitive});
  }
  return result;
}

// A selection as long as a reading takes, with dictionaries of 100, 1,000 and
// 10,000 rows: the preparation, and beside it the same preparation with every
// row searching the whole text.
void BM_Dictionary(benchmark::State& state, const wchar_t* caseSensitive, Preparation prepare) {
  const std::size_t rows = static_cast<std::size_t>(state.range(0));
  const Dictionary dictionary = MakeDictionary(51200, rows, caseSensitive);
  MeasurePreparation(state, dictionary.text, dictionary.settings, rows, prepare);
  // How many rows' words the selection holds before any row is applied.
  std::wstring lower = dictionary.text;
  for (wchar_t& c : lower) c = static_cast<wchar_t>(std::towlower(c));
  const std::wstring& searched =
      std::wstring_view(caseSensitive) == L"No" ? lower : dictionary.text;
  std::size_t found = 0;
  for (const WordCorrection& row : dictionary.settings.corrections) {
    found += searched.find(row.word) != std::wstring::npos ? 1 : 0;
  }
  state.counters["rows_in_text"] = static_cast<double>(found);
  // The preparation must give what the row-by-row one gives: 1 when it does.
  if (prepare != PrepareTextRowByRow) {
    state.counters["same"] =
        PrepareText(dictionary.text, dictionary.settings, TableFold) ==
                PrepareTextRowByRow(dictionary.text, dictionary.settings, TableFold)
            ? 1
            : 0;
  }
}

// 1 MiB, 1,000 rows, 100 of which occur 1,000 times each: rows 0, 10, 20, ...
// have the words that occur, the other rows words that do not.
void BM_ThousandRows(benchmark::State& state, const wchar_t* caseSensitive) {
  constexpr std::size_t kRows = 1000;
  const std::wstring text = TextWithWords(kMiB, 100, 1000);
  std::vector<std::size_t> numbers;
  for (std::size_t row = 0; row < kRows; ++row) {
    numbers.push_back(row % 10 == 0 ? row / 10 : 100 + row);
  }
  MeasurePreparation(state, text, Corrections(numbers, caseSensitive, Length::kLonger), kRows);
}

// 10 MiB, one row that occurs 100,000 times.
void BM_OneRowManyMatches(benchmark::State& state, const wchar_t* caseSensitive, Length length) {
  const std::wstring text = TextWithWords(10 * kMiB, 1, 100000);
  MeasurePreparation(state, text, Corrections({0}, caseSensitive, length), 1);
}

// 1 MiB with the nine default ignored characters in it; a row is a character.
void BM_IgnoredCharacters(benchmark::State& state) {
  const std::wstring text = TextWithIgnoredCharacters(kMiB);
  TextPreparationSettings settings;
  settings.ignoreCharacters = true;
  settings.ignoredCharacters = kDefaultIgnoredCharacters;
  MeasurePreparation(state, text, settings, kDefaultIgnoredCharacters.size());
}

// With nothing selected, a huge clipboard is the capture: 4,000,000
// characters and a dictionary of 10,000 rows. Only the head a reading can
// speak is prepared, in each iteration from a fresh copy made outside the
// timed part. whole_ms: the time preparing all of it takes; same: 1 when what
// is spoken (the first kMaxReadingLength characters) is what preparing the
// whole capture gives.
void BM_HugeCapture(benchmark::State& state) {
  const Dictionary dictionary = MakeDictionary(4000000, 10000, L"No");
  std::wstring prepared;
  for (auto _ : state) {
    std::wstring input = dictionary.text;
    benchmark::DoNotOptimize(input.data());
    const Clock::time_point start = Clock::now();
    prepared = PrepareCapture(std::move(input), dictionary.settings, TableFold);
    state.SetIterationTime(Seconds(Clock::now() - start));
    benchmark::DoNotOptimize(prepared.data());
  }
  const Clock::time_point wholeStart = Clock::now();
  const std::wstring whole = PrepareText(dictionary.text, dictionary.settings, TableFold);
  state.counters["whole_ms"] = Seconds(Clock::now() - wholeStart) * 1e3;
  state.counters["same"] = CutForReading(prepared) == CutForReading(whole) ? 1 : 0;
}

}  // namespace

// Times are the preparation's own (manual time), in milliseconds.
BENCHMARK_CAPTURE(BM_ThousandRows, exact, L"Yes")->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ThousandRows, folded, L"No")->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Dictionary, exact, L"Yes", PrepareText)
    ->Arg(100)
    ->Arg(1000)
    ->Arg(10000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Dictionary, exact_row_by_row, L"Yes", PrepareTextRowByRow)
    ->Arg(100)
    ->Arg(1000)
    ->Arg(10000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Dictionary, folded, L"No", PrepareText)
    ->Arg(100)
    ->Arg(1000)
    ->Arg(10000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Dictionary, folded_row_by_row, L"No", PrepareTextRowByRow)
    ->Arg(100)
    ->Arg(1000)
    ->Arg(10000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_OneRowManyMatches, exact_longer, L"Yes", Length::kLonger)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_OneRowManyMatches, folded_longer, L"No", Length::kLonger)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_OneRowManyMatches, exact_shorter, L"Yes", Length::kShorter)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_OneRowManyMatches, folded_shorter, L"No", Length::kShorter)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_IgnoredCharacters)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HugeCapture)->UseManualTime()->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
