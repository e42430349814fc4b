#include "core/linked_list.h"

namespace glenmire {

LinkedList* ListCreate(ReleaseData release) {
  auto* list = new LinkedList;
  list->release = release;
  return list;
}

ListNode* ListInsert(LinkedList* list, void* data, ListNode* after) {
  auto* node = new ListNode;
  node->data = data;
  if (after == nullptr) {
    node->next = list->first;
    if (list->first != nullptr) list->first->prev = node;
    list->first = node;
    if (list->last == nullptr) list->last = node;
  } else {
    node->prev = after;
    node->next = after->next;
    if (after->next != nullptr) after->next->prev = node;
    after->next = node;
    if (list->last == after) list->last = node;
  }
  ++list->count;
  return node;
}

ListNode* ListFirst(const LinkedList* list) { return list->first; }
ListNode* ListLast(const LinkedList* list) { return list->last; }
ListNode* ListNext(const ListNode* node) { return node->next; }
ListNode* ListPrev(const ListNode* node) { return node->prev; }
uint16_t ListCount(const LinkedList* list) { return list->count; }

void ListRemove(LinkedList* list, ListNode* node) {
  if (list->count == 0 || node == nullptr) return;
  if (node->prev != nullptr) node->prev->next = node->next;
  else list->first = node->next;
  if (node->next != nullptr) node->next->prev = node->prev;
  else list->last = node->prev;
  if (list->release != nullptr) list->release(node->data);
  delete node;
  --list->count;
}

void ListDestroy(LinkedList* list) {
  if (list == nullptr) return;
  ListNode* node = list->first;
  while (node != nullptr) {
    ListNode* next = node->next;
    if (list->release != nullptr) list->release(node->data);
    delete node;
    node = next;
  }
  delete list;
}

}  // namespace glenmire
