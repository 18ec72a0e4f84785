#pragma once

namespace orvan {

// Base of the values a ListItem owns: the item deletes its value through this destructor.
class ListData {
 public:
  virtual ~ListData() {}
};

// An item of the intrusive doubly linked List_c; owns its data.
class ListItem {
 public:
  explicit ListItem(ListData* data_ = nullptr) : next(nullptr), prev(nullptr), data(data_) {}
  virtual ~ListItem() { delete data; }
  ListItem(const ListItem&) = delete;
  ListItem& operator=(const ListItem&) = delete;

  ListItem* next;
  ListItem* prev;
  ListData* data;
};

// Intrusive doubly linked list that owns its items.
class List_c {
 public:
  List_c() : head(nullptr), tail(nullptr), count(0) {}
  virtual ~List_c() {
    ListItem* item = head;
    while (item != nullptr) {
      ListItem* next = item->next;
      delete item;
      item = next;
    }
  }
  List_c(const List_c&) = delete;
  List_c& operator=(const List_c&) = delete;

  ListItem* First() const { return count == 0 ? nullptr : head; }
  ListItem* Last() const { return count == 0 ? nullptr : tail; }
  int Count() const { return count; }

  // Appends item after the tail; the list takes ownership.
  void Append(ListItem* item) {
    item->next = nullptr;
    item->prev = tail;
    if (tail != nullptr) tail->next = item; else head = item;
    tail = item;
    ++count;
  }

  // Unlinks item and deletes it.
  void Delete(ListItem* item) {
    if (item->prev != nullptr) item->prev->next = item->next; else head = item->next;
    if (item->next != nullptr) item->next->prev = item->prev; else tail = item->prev;
    delete item;
    --count;
  }

  ListItem* head;
  ListItem* tail;
  int count;
};

// An item of TList<T>, holding one value of type T.
template <typename T>
class TListItem {
 public:
  explicit TListItem(const T& value) : next(nullptr), prev(nullptr), data(value) {}
  virtual ~TListItem() {}
  TListItem(const TListItem&) = delete;
  TListItem& operator=(const TListItem&) = delete;

  TListItem* next;
  TListItem* prev;
  T data;
};

// Doubly linked list of values of type T. Deleting items does not free what a pointer value
// points at: a list of owned pointers frees them in its own destructor (EnumDefList does).
template <typename T>
class TList {
 public:
  using Item = TListItem<T>;

  TList() : head(nullptr), tail(nullptr), count(0) {}
  virtual ~TList() { Clear(); }
  TList(const TList&) = delete;
  TList& operator=(const TList&) = delete;

  Item* First() const { return count == 0 ? nullptr : head; }
  Item* Last() const { return count == 0 ? nullptr : tail; }
  int Count() const { return count; }

  // Appends value at the tail and returns its item.
  Item* Append(const T& value) {
    Item* item = new Item(value);
    item->prev = tail;
    if (tail != nullptr) tail->next = item; else head = item;
    tail = item;
    ++count;
    return item;
  }

  void Delete(Item* item) {
    if (item->prev != nullptr) item->prev->next = item->next; else head = item->next;
    if (item->next != nullptr) item->next->prev = item->prev; else tail = item->prev;
    delete item;
    --count;
  }

  // Deletes every item from the head.
  void Clear() {
    Item* item = head;
    while (item != nullptr) {
      Item* next = item->next;
      delete item;
      item = next;
    }
    head = tail = nullptr;
    count = 0;
  }

  Item* head;
  Item* tail;
  int count;
};

}  // namespace orvan
