// The program's text order and its sorts on any texts: the sort order is a permutation,
// ascending by CompareText, and texts that compare equal keep their source order.

#include <algorithm>
#include <string>
#include <vector>

#include "listing/text/array_sort.h"
#include "listing/text/text_comparison.h"
#include "listing/text/text_sort_order.h"
#include "tests/fuzz/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    pelmora::fuzz::FuzzInput input(data, size);
    std::vector<std::string> texts;
    while (!input.Empty() && texts.size() < 200) {
        // Distinct texts, so that each one's source place is known after the sort.
        std::string text(input.Text('\n'));
        if (std::find(texts.begin(), texts.end(), text) == texts.end()) texts.push_back(std::move(text));
    }

    for (std::size_t i = 0; i + 1 < texts.size(); ++i) {
        const int forward = pelmora::CompareText(texts[i], texts[i + 1]);
        const int backward = pelmora::CompareText(texts[i + 1], texts[i]);
        PELMORA_FUZZ_CHECK((forward < 0) == (backward > 0) && (forward == 0) == (backward == 0));
    }

    const std::vector<std::string_view> views(texts.begin(), texts.end());
    const std::vector<std::uint32_t> order = pelmora::TextSortOrder(views);
    PELMORA_FUZZ_CHECK(order.size() == texts.size());
    std::vector<bool> seen(texts.size(), false);
    for (std::size_t i = 0; i < order.size(); ++i) {
        PELMORA_FUZZ_CHECK(order[i] < texts.size() && !seen[order[i]]);
        seen[order[i]] = true;
        if (i > 0) PELMORA_FUZZ_CHECK(pelmora::CompareText(texts[order[i - 1]], texts[order[i]]) <= 0);
    }

    std::vector<std::string> sorted;
    pelmora::ArraySortString(texts, sorted, nullptr);
    PELMORA_FUZZ_CHECK(std::is_permutation(sorted.begin(), sorted.end(), texts.begin(), texts.end()));
    for (std::size_t i = 1; i < sorted.size(); ++i) {
        const int comparison = pelmora::CompareText(sorted[i - 1], sorted[i]);
        PELMORA_FUZZ_CHECK(comparison <= 0);
        if (comparison == 0) {
            // Equal texts keep their source order: the first of the two came first.
            const auto first = std::find(texts.begin(), texts.end(), sorted[i - 1]);
            const auto second = std::find(texts.begin(), texts.end(), sorted[i]);
            PELMORA_FUZZ_CHECK(first < second);
        }
    }
    return 0;
}
