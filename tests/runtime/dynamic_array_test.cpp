// DynamicArray growth rules, and the linked lists and mutex of the same Part.
#include <gtest/gtest.h>

#include <thread>

#include "orvan/dynamic_array.h"
#include "orvan/list.h"
#include "orvan/mutex.h"
#include "orvan/orvan_exception.h"

namespace orvan {
namespace {

int values[10];
int* P(int i) { return &values[i]; }

TEST(DynamicArrayTest, ReadingPastTheEndGrowsWithNulls) {
  DynamicArray<int*> a;
  EXPECT_EQ(a[5], nullptr);
  EXPECT_EQ(a.capacity, 6u);
  EXPECT_EQ(a.count, 6u);
  for (unsigned int i = 0; i < 6; ++i) EXPECT_EQ(a.data[i], nullptr);
}

TEST(DynamicArrayTest, IndexWithinCapacityRaisesCount) {
  DynamicArray<int*> a;
  a.Resize(4);
  EXPECT_EQ(a.count, 0u);
  a[2] = P(2);
  EXPECT_EQ(a.capacity, 4u);
  EXPECT_EQ(a.Count(), 3u);
  a[0] = P(0);
  EXPECT_EQ(a.Count(), 3u);
}

TEST(DynamicArrayTest, NegativeIndexIsAnAssertionFailure) {
  DynamicArray<int*> a;
  testing::internal::CaptureStderr();
  try {
    a[static_cast<unsigned int>(-1)];
    FAIL() << "no exception";
  } catch (const OrvanException& e) {
    EXPECT_NE(std::string(e.Message()).find("int(index) >= 0"), std::string::npos);
  }
  testing::internal::GetCapturedStderr();
  EXPECT_EQ(a.capacity, 0u);
}

TEST(DynamicArrayTest, InsertAtDoublesCapacity) {
  DynamicArray<int*> a;
  a.InsertAt(P(0), 0);
  EXPECT_EQ(a.capacity, 2u);
  EXPECT_EQ(a.count, 1u);
  a.InsertAt(P(1), 1);
  EXPECT_EQ(a.capacity, 2u);
  a.InsertAt(P(2), 2);
  EXPECT_EQ(a.capacity, 4u);
  EXPECT_EQ(a.count, 3u);
  a.InsertAt(P(3), 3);
  a.InsertAt(P(4), 4);
  EXPECT_EQ(a.capacity, 8u);
}

TEST(DynamicArrayTest, InsertAtShiftsUpAndAppendsBeyondTheEnd) {
  DynamicArray<int*> a;
  a.InsertAt(P(1), 0);
  a.InsertAt(P(0), 0);
  a.InsertAt(P(2), 2);
  ASSERT_EQ(a.Count(), 3u);
  a.InsertAt(P(9), 100);
  ASSERT_EQ(a.Count(), 4u);
  EXPECT_EQ(a[0], P(0));
  EXPECT_EQ(a[1], P(1));
  EXPECT_EQ(a[2], P(2));
  EXPECT_EQ(a[3], P(9));
  a.InsertAt(P(5), 1);
  EXPECT_EQ(a[1], P(5));
  EXPECT_EQ(a[2], P(1));
  EXPECT_EQ(a[4], P(9));
}

TEST(DynamicArrayTest, InsertAtAfterResizeToZero) {
  DynamicArray<int*> a;
  a.Resize(3);
  a.Resize(0);
  a.InsertAt(P(1), 0);
  EXPECT_EQ(a.capacity, 2u);
}

TEST(DynamicArrayTest, ResizeKeepsPrefixAndZeroesTheRest) {
  DynamicArray<int*> a;
  a[0] = P(0);
  a[1] = P(1);
  a[2] = P(2);
  a.Resize(2);
  EXPECT_EQ(a.capacity, 2u);
  EXPECT_EQ(a.count, 2u);
  a.Resize(5);
  EXPECT_EQ(a.count, 2u);
  EXPECT_EQ(a.data[1], P(1));
  EXPECT_EQ(a.data[2], nullptr);
  EXPECT_EQ(a.data[4], nullptr);
  a.Resize(0);
  EXPECT_EQ(a.data, nullptr);
  EXPECT_EQ(a.count, 0u);
  EXPECT_EQ(a.capacity, 0u);
}

TEST(DynamicArrayTest, CopyTakesCapacityAndCount) {
  DynamicArray<int*> a;
  a.InsertAt(P(0), 0);
  a.InsertAt(P(1), 1);
  a.InsertAt(P(2), 2);
  DynamicArray<int*> b(a);
  EXPECT_EQ(b.capacity, 4u);
  EXPECT_EQ(b.count, 3u);
  EXPECT_NE(b.data, a.data);
  EXPECT_EQ(b[2], P(2));
  DynamicArray<int*> c;
  c[7] = P(7);
  c = a;
  EXPECT_EQ(c.capacity, 4u);
  EXPECT_EQ(c.count, 3u);
  EXPECT_EQ(c[1], P(1));
}

TEST(DynamicArrayTest, RemoveAtShiftsDown) {
  DynamicArray<int*> a;
  for (int i = 0; i < 4; ++i) a.InsertAt(P(i), i);
  a.RemoveAt(1);
  ASSERT_EQ(a.Count(), 3u);
  EXPECT_EQ(a[0], P(0));
  EXPECT_EQ(a[1], P(2));
  EXPECT_EQ(a[2], P(3));
  EXPECT_EQ(a.data[3], nullptr);
  a.RemoveAt(10);
  EXPECT_EQ(a.Count(), 3u);
  a.RemoveAt(2);
  EXPECT_EQ(a.Count(), 2u);
}

int liveData = 0;
struct CountedData : ListData {
  CountedData() { ++liveData; }
  ~CountedData() override { --liveData; }
};

TEST(ListTest, AppendAndDeleteKeepLinks) {
  {
    List_c list;
    EXPECT_EQ(list.First(), nullptr);
    EXPECT_EQ(list.Last(), nullptr);
    ListItem* a = new ListItem(new CountedData);
    ListItem* b = new ListItem(new CountedData);
    ListItem* c = new ListItem(new CountedData);
    list.Append(a);
    list.Append(b);
    list.Append(c);
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(liveData, 3);
    EXPECT_EQ(list.First(), a);
    EXPECT_EQ(list.Last(), c);
    EXPECT_EQ(b->prev, a);
    EXPECT_EQ(b->next, c);

    list.Delete(b);
    EXPECT_EQ(liveData, 2);
    EXPECT_EQ(a->next, c);
    EXPECT_EQ(c->prev, a);
    list.Delete(a);
    EXPECT_EQ(list.First(), c);
    EXPECT_EQ(c->prev, nullptr);
    list.Append(new ListItem(new CountedData));
    EXPECT_EQ(list.Count(), 2);
    list.Delete(list.Last());
    EXPECT_EQ(list.Last(), c);
    EXPECT_EQ(c->next, nullptr);
    list.Append(new ListItem(new CountedData));
  }
  EXPECT_EQ(liveData, 0);
}

TEST(ListTest, TypedListAppendsAtTheTail) {
  TList<int> list;
  list.Append(1);
  auto* two = list.Append(2);
  list.Append(3);
  EXPECT_EQ(list.Count(), 3);
  EXPECT_EQ(list.First()->data, 1);
  EXPECT_EQ(list.Last()->data, 3);
  list.Delete(two);
  EXPECT_EQ(list.First()->next->data, 3);
  EXPECT_EQ(list.Last()->prev->data, 1);
  list.Delete(list.First());
  list.Delete(list.First());
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(list.First(), nullptr);
  EXPECT_EQ(list.head, nullptr);
  EXPECT_EQ(list.tail, nullptr);
}

TEST(MutexTest, SerialisesTwoThreads) {
  Mutex mutex;
  int counter = 0;
  auto work = [&] {
    for (int i = 0; i < 10000; ++i) {
      MutexLock lock(mutex);
      ++counter;
    }
  };
  std::thread a(work), b(work);
  a.join();
  b.join();
  EXPECT_EQ(counter, 20000);
  mutex.Lock();
  EXPECT_FALSE(mutex.TryLock());
  mutex.Unlock();
}

}  // namespace
}  // namespace orvan
