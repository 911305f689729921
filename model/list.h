#pragma once

#include <cstddef>
#include <cstdint>
#include <type_traits>

// The intrusive doubly linked list. Every long-lived record begins with a ListItem named `links`;
// a list neither allocates nor owns by type: whoever unlinks an item decides whether to free it.
struct List;

struct ListItem {
    ListItem* next = nullptr;
    ListItem* prev = nullptr;
    List* owner = nullptr;
};

struct List {
    ListItem* first = nullptr;
    ListItem* last = nullptr;
    std::int32_t count = 0;
};

void PushBack(List* list, ListItem* item);
void PushFront(List* list, ListItem* item);

// Links `item` right after `anchor`, in the list that holds `anchor`.
void InsertAfter(ListItem* anchor, ListItem* item);

// Does nothing to an item that is in no list; never frees the item.
void Unlink(ListItem* item);

// Detaches the first item and returns it, or null when the list is empty.
ListItem* TakeFirst(List* list);

// The record whose `links` header is `item`.
template <typename Record>
Record* RecordOf(ListItem* item) {
    static_assert(std::is_standard_layout_v<Record>, "records begin with their list header");
    static_assert(offsetof(Record, links) == 0, "records begin with their list header");
    return reinterpret_cast<Record*>(item);
}

// Empties the list, freeing every item as the record kind the list holds: there are no virtual
// destructors, so the caller names the kind.
template <typename Record>
void Clear(List* list) {
    while (list->count > 0) delete RecordOf<Record>(TakeFirst(list));
}
