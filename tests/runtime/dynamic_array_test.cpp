// DynamicArray indexing, insertion, removal and copies, and the linked lists.
#include <gtest/gtest.h>

#include "orvan/dynamic_array.h"
#include "orvan/list.h"
#include "orvan/orvan_exception.h"

namespace orvan {
namespace {

int values[10];
int* P(int i) { return &values[i]; }

TEST(DynamicArrayTest, GrowsInsertsRemovesAndANegativeIndexAsserts) {
  DynamicArray<int*> a;
  EXPECT_EQ(a[5], nullptr);
  EXPECT_EQ(a.Count(), 6u);
  for (unsigned int i = 0; i < 6; ++i) EXPECT_EQ(a.data[i], nullptr);
  a.Resize(8);
  a[6] = P(6);  // within the capacity: the count rises to the index
  EXPECT_EQ(a.Count(), 7u);

  DynamicArray<int*> b;
  testing::internal::CaptureStderr();
  EXPECT_THROW(b[static_cast<unsigned int>(-1)], OrvanException);
  testing::internal::GetCapturedStderr();
  EXPECT_EQ(b.capacity, 0u);

  DynamicArray<int*> shifted;
  shifted.Resize(3);
  shifted.Resize(0);  // inserting after emptying still works
  shifted.InsertAt(P(1), 0);
  shifted.InsertAt(P(0), 0);
  shifted.InsertAt(P(2), 2);
  shifted.InsertAt(P(9), 100);  // beyond the end: appended
  shifted.InsertAt(P(5), 1);
  ASSERT_EQ(shifted.Count(), 5u);
  const int* expected[] = {P(0), P(5), P(1), P(2), P(9)};
  for (unsigned int i = 0; i < 5; ++i) EXPECT_EQ(shifted[i], expected[i]) << i;

  shifted.RemoveAt(1);
  shifted.RemoveAt(10);  // no such element
  ASSERT_EQ(shifted.Count(), 4u);
  EXPECT_EQ(shifted[1], P(1));
  EXPECT_EQ(shifted.data[4], nullptr);

  DynamicArray<int*> sized;
  for (int i = 0; i < 3; ++i) sized[i] = P(i);
  sized.Resize(2);
  sized.Resize(5);
  EXPECT_EQ(sized.count, 2u);
  EXPECT_EQ(sized.data[1], P(1));
  EXPECT_EQ(sized.data[2], nullptr);

  DynamicArray<int*> copy(sized);
  EXPECT_NE(copy.data, sized.data);
  EXPECT_EQ(copy.count, 2u);
  EXPECT_EQ(copy[1], P(1));
  DynamicArray<int*> assigned;
  assigned[7] = P(7);
  assigned = sized;
  EXPECT_EQ(assigned.count, 2u);
  EXPECT_EQ(assigned[0], P(0));

  sized.Resize(0);
  EXPECT_EQ(sized.data, nullptr);
  EXPECT_EQ(sized.count, 0u);
}

int liveData = 0;
struct CountedData : ListData {
  CountedData() { ++liveData; }
  ~CountedData() override { --liveData; }
};

TEST(ListTest, AppendAndDeleteKeepLinksAndFreeTheData) {
  {
    List_c list;
    ListItem* a = new ListItem(new CountedData);
    ListItem* b = new ListItem(new CountedData);
    ListItem* c = new ListItem(new CountedData);
    list.Append(a);
    list.Append(b);
    list.Append(c);
    EXPECT_EQ(list.Count(), 3);
    list.Delete(b);
    EXPECT_EQ(liveData, 2);
    EXPECT_EQ(a->next, c);
    EXPECT_EQ(c->prev, a);
    list.Delete(a);
    EXPECT_EQ(list.First(), c);
    EXPECT_EQ(c->prev, nullptr);
    list.Append(new ListItem(new CountedData));
    list.Delete(list.Last());
    EXPECT_EQ(list.Last(), c);
    EXPECT_EQ(c->next, nullptr);
    list.Append(new ListItem(new CountedData));
  }
  EXPECT_EQ(liveData, 0);  // the list frees what it still holds

  TList<int> typed;
  typed.Append(1);
  auto* two = typed.Append(2);
  typed.Append(3);
  typed.Delete(two);
  EXPECT_EQ(typed.First()->next->data, 3);
  EXPECT_EQ(typed.Last()->prev->data, 1);
  typed.Delete(typed.First());
  typed.Delete(typed.First());
  EXPECT_EQ(typed.Count(), 0);
  EXPECT_EQ(typed.head, nullptr);
  EXPECT_EQ(typed.tail, nullptr);
}

}  // namespace
}  // namespace orvan
