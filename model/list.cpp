#include "model/list.h"

void PushBack(List* list, ListItem* item) {
    item->next = nullptr;
    item->prev = list->last;
    if (list->last != nullptr) list->last->next = item;
    list->last = item;
    if (list->first == nullptr) list->first = item;
    item->owner = list;
    ++list->count;
}

void PushFront(List* list, ListItem* item) {
    item->next = list->first;
    item->prev = nullptr;
    if (list->first != nullptr) list->first->prev = item;
    list->first = item;
    if (list->last == nullptr) list->last = item;
    item->owner = list;
    ++list->count;
}

void InsertAfter(ListItem* anchor, ListItem* item) {
    List* list = anchor->owner;
    item->prev = anchor;
    item->next = anchor->next;
    if (anchor->next != nullptr) anchor->next->prev = item;
    anchor->next = item;
    if (list->last == anchor) list->last = item;
    item->owner = list;
    ++list->count;
}

void Unlink(ListItem* item) {
    List* list = item->owner;
    if (list == nullptr) return;
    if (list->first == item) list->first = item->next;
    if (list->last == item) list->last = item->prev;
    if (item->next != nullptr) item->next->prev = item->prev;
    if (item->prev != nullptr) item->prev->next = item->next;
    --list->count;
    item->next = nullptr;
    item->prev = nullptr;
    item->owner = nullptr;
}

ListItem* TakeFirst(List* list) {
    ListItem* item = list->first;
    if (item != nullptr) Unlink(item);
    return item;
}
