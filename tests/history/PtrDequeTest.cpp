#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <vector>

#include "history/PtrDeque.h"

namespace {

// Notes its own deletion, so that ownership can be checked.
struct Tracked {
    Tracked(int id, std::vector<int>& deleted) : id(id), deleted(deleted) {}
    ~Tracked() { deleted.push_back(id); }
    int id;
    std::vector<int>& deleted;
};

app::PtrDeque<Tracked> MakeFive(std::vector<int>& deleted) {
    app::PtrDeque<Tracked> deque;
    for (int i = 0; i < 5; ++i)
        deque.Append(std::make_unique<Tracked>(i, deleted));
    return deque;
}

TEST(PtrDeque, ErasingDeletesExactlyTheErasedElements) {
    std::vector<int> deleted;
    app::PtrDeque<Tracked> deque = MakeFive(deleted);
    deque.EraseFrom(3);
    EXPECT_EQ(deleted, (std::vector<int>{3, 4}));
    deque.EraseFirst(2);
    EXPECT_EQ(deleted, (std::vector<int>{3, 4, 0, 1}));
    ASSERT_EQ(deque.Size(), 1);
    EXPECT_EQ(deque.At(0).id, 2);
    deque.EraseFrom(1);  // at the end: nothing
    deque.EraseFirst(0);
    EXPECT_EQ(deque.Size(), 1);
    deque.EraseFirst(10);  // more than there are: all
    EXPECT_EQ(deque.Size(), 0);
    EXPECT_EQ(deleted.size(), 5u);
}

TEST(PtrDeque, DestructionAndDeleteAllFreeTheRest) {
    std::vector<int> deleted;
    {
        app::PtrDeque<Tracked> deque = MakeFive(deleted);
        deque.DeleteAll();
        EXPECT_EQ(deleted.size(), 5u);
        deque.Append(std::make_unique<Tracked>(9, deleted));
    }
    EXPECT_EQ(deleted.back(), 9);
}

TEST(PtrDeque, IndexOutsideTheElementsIsOutOfRange) {
    std::vector<int> deleted;
    app::PtrDeque<Tracked> deque = MakeFive(deleted);
    EXPECT_EQ(deque.At(4).id, 4);
    EXPECT_THROW(deque.At(5), std::out_of_range);
    EXPECT_THROW(deque.At(-1), std::out_of_range);
}

}  // namespace
