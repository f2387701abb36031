#include "data/LinkedLists.h"

#include <new>

#include "text/Output.h"

// ---- CVPILinkedList ----

int CVPILinkedList::Add(uint16_t id, void* item) {
  Node* node = new (std::nothrow) Node{id, item, nullptr};
  if (node == nullptr) {
    PrintLine("ERROR (CVPILinkedList::Add): Could not allocate new node");
    return 0;
  }
  Node** link = &head_;
  while (*link != nullptr) link = &(*link)->next;
  *link = node;
  return 1;
}

void* CVPILinkedList::RemoveById(uint16_t id) {
  for (Node** link = &head_; *link != nullptr; link = &(*link)->next) {
    Node* node = *link;
    if (node->id == id) {
      *link = node->next;
      void* item = node->item;
      delete node;
      return item;
    }
  }
  return nullptr;
}

CVPILinkedList::Node* CVPILinkedList::Detach() {
  Node* chain = head_;
  head_ = nullptr;
  return chain;
}

void* CVPILinkedList::Get(int index) const {
  if (index < 0) return nullptr;
  Node* node = head_;
  for (int i = 0; node != nullptr && i < index; ++i) node = node->next;
  return node != nullptr ? node->item : nullptr;
}

int CVPILinkedList::Count() const {
  int n = 0;
  for (Node* node = head_; node != nullptr; node = node->next) ++n;
  return n;
}

void CVPILinkedList::Clear() {
  FreeChain(head_);
  head_ = nullptr;
}

void CVPILinkedList::FreeChain(Node* chain) {
  while (chain != nullptr) {
    Node* next = chain->next;
    delete chain;
    chain = next;
  }
}

// ---- CVPLinkedList ----

int CVPLinkedList::AddHead(void* item) {
  Node* node = new (std::nothrow) Node{item, head_};
  if (node == nullptr) {
    PrintLine("ERROR (CVPLinkedList::AddHead): Could not allocate new node");
    return 0;
  }
  head_ = node;
  return 1;
}

CVPLinkedList::Node* CVPLinkedList::AddAfter(void* item, Node* node) {
  Node* added = new (std::nothrow) Node{item, nullptr};
  if (added == nullptr) {
    PrintLine("ERROR (CVPLinkedList::AddPos): Could not allocate new node");
    return nullptr;
  }
  if (node == nullptr) {
    added->next = head_;
    head_ = added;
    return added;
  }
  if (node->next != nullptr) PrintLine("WARNING (CVPLinkedList::AddPos): Next exists");
  added->next = node->next;
  node->next = added;
  return added;
}

void* CVPLinkedList::RemoveAt(int index) {
  Node* node = GetAt(index, true);
  if (node == nullptr) return nullptr;
  void* item = node->item;
  delete node;
  return item;
}

CVPLinkedList::Node* CVPLinkedList::GetAt(int index, bool unlink) {
  if (index < 0) return nullptr;
  Node** link = &head_;
  for (int i = 0; *link != nullptr && i < index; ++i) link = &(*link)->next;
  Node* node = *link;
  if (node != nullptr && unlink) {
    *link = node->next;
    node->next = nullptr;
  }
  return node;
}

CVPLinkedList::Node* CVPLinkedList::Last() const {
  Node* node = head_;
  while (node != nullptr && node->next != nullptr) node = node->next;
  return node;
}

int CVPLinkedList::Count() const {
  int n = 0;
  for (Node* node = head_; node != nullptr; node = node->next) ++n;
  return n;
}

void CVPLinkedList::Clear() {
  while (head_ != nullptr) {
    Node* next = head_->next;
    delete head_;
    head_ = next;
  }
}
