// A doubly linked list that owns its nodes and the data blocks handed to it.
// The cell pool sits on it; its count is 16-bit, as the generator's was, so a
// list holds at most 65,535 entries.
#pragma once

#include <cstdint>

namespace glenmire {

struct ListNode {
  void* data = nullptr;      // block owned by the list once inserted
  ListNode* next = nullptr;  // toward the tail
  ListNode* prev = nullptr;  // toward the head
};

// Releases one data block; called for every block the list lets go of.
using ReleaseData = void (*)(void* data);

// Header {count, first} and tail {last}. Use the functions below on it.
struct LinkedList {
  uint16_t count = 0;
  ListNode* first = nullptr;
  ListNode* last = nullptr;
  ReleaseData release = nullptr;
};

// An empty list whose data blocks are released with `release` (none: not released).
LinkedList* ListCreate(ReleaseData release);

// With `after` null the new node becomes the first; otherwise it goes right
// after `after` (and becomes the last if `after` was). Returns the new node.
ListNode* ListInsert(LinkedList* list, void* data, ListNode* after);

ListNode* ListFirst(const LinkedList* list);
ListNode* ListLast(const LinkedList* list);
ListNode* ListNext(const ListNode* node);
ListNode* ListPrev(const ListNode* node);
uint16_t ListCount(const LinkedList* list);

// Unlinks the node, releases its data block and the node; count - 1.
// Nothing happens on an empty list or a null node.
void ListRemove(LinkedList* list, ListNode* node);

// Releases every node with its data block, then the list itself.
void ListDestroy(LinkedList* list);

}  // namespace glenmire
