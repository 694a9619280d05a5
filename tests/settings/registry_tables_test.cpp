// The registry's sorted arrays against the ordered trees they replaced: after binds and inserts
// in any order, duplicates and look-ups between them included, every walk and every answer is
// the tree's.
#include "settings/items/sv.h"
#include "settings/items/sv_order.h"
#include "settings/registry/flat_map.h"
#include "settings/registry/key_index.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <random>
#include <set>
#include <vector>

namespace {

// The order the tree of an option key kept: key text, then id.
struct TreeOrder {
    bool operator()(const CmSv* a, const CmSv* b) const {
        const int order = CompareKeyTexts(a->key ? a->key : "", b->key ? b->key : "");
        return order != 0 ? order < 0 : a->itemId < b->itemId;
    }
};
using Tree = std::map<uint32_t, std::set<CmSv*, TreeOrder>>;

std::vector<CmSv*> Walk(const CmSvKeySet* run) {
    std::vector<CmSv*> walked;
    if (run)
        for (CmSv* item : *run) walked.push_back(item);
    return walked;
}
std::vector<CmSv*> Walk(Tree::const_iterator at, const Tree& tree) {
    return at == tree.end() ? std::vector<CmSv*>{} : std::vector<CmSv*>(at->second.begin(), at->second.end());
}

}  // namespace

TEST(RegistryTables, TheKeyIndexWalksAndFindsAsATreeOfSetsDid) {
    std::mt19937 random(71);
    const char* texts[] = {"Fsh$Staple", "Fsh$Staple2", "Paper$Tray", "", nullptr};
    std::vector<std::unique_ptr<CmSv>> items;
    for (int i = 0; i < 60; ++i)
        items.push_back(std::make_unique<CmSv>(0, 0, texts[random() % 5], static_cast<uint32_t>(random() % 20)));
    CmSvKeyIndex index;
    Tree tree;
    for (int bind = 1; bind <= 400; ++bind) {
        const uint32_t key = 0x10000 + static_cast<uint32_t>(random() % 12);
        CmSv* item = items[random() % items.size()].get();
        index.Bind(key, item);
        tree[key].insert(item);
        if (bind % 37 != 0 && bind != 400) continue;
        for (uint32_t at = 0xFFFF; at <= 0x1000C; ++at) {
            EXPECT_EQ(Walk(index.Find(at)), Walk(tree.find(at), tree)) << std::hex << at;
            EXPECT_EQ(Walk(index.FindFrom(at)), Walk(tree.lower_bound(at), tree)) << std::hex << at;
        }
    }
}

TEST(RegistryTables, TheFlatMapAnswersAsATreeMapDid) {
    std::mt19937 random(71);
    CmSvFlatMap<int32_t, int> flat;
    std::map<int32_t, int> tree;
    for (int value = 0; value < 500; ++value) {
        // Rising keys mostly, as sets fill, with some anywhere and some again.
        const int32_t key = random() % 4 ? value / 2 : static_cast<int32_t>(random() % 300) - 20;
        const auto made = value % 3 ? flat.emplace(key, value) : std::pair{flat.emplace_hint(flat.end(), key, value), true};
        const auto [place, fresh] = tree.emplace(key, value);
        EXPECT_EQ(made.first->second, place->second) << key;
        if (value % 3) {
            EXPECT_EQ(made.second, fresh) << key;
        }
        const int32_t asked = static_cast<int32_t>(random() % 320) - 30;
        EXPECT_EQ(flat.count(asked), tree.count(asked)) << asked;
        if (tree.count(asked)) {
            EXPECT_EQ(flat.at(asked), tree.at(asked)) << asked;
        }
    }
    EXPECT_TRUE(std::equal(flat.begin(), flat.end(), tree.begin(), tree.end(),
                           [](const auto& a, const auto& b) { return a.first == b.first && a.second == b.second; }));
}
