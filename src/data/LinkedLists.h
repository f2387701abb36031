#pragma once
// Singly linked pointer lists. The lists own their nodes, never the items.
#include <cstdint>

// Nodes of (ID, pointer), appended at the tail.
class CVPILinkedList {
 public:
  struct Node {
    uint16_t id;
    void* item;
    Node* next;
  };

  CVPILinkedList() = default;
  ~CVPILinkedList() { Clear(); }
  CVPILinkedList(const CVPILinkedList&) = delete;
  CVPILinkedList& operator=(const CVPILinkedList&) = delete;

  // Appends; prints "ERROR (CVPILinkedList::Add): Could not allocate new node"
  // and returns 0 when no node can be made.
  int Add(uint16_t id, void* item);
  // Unlinks the first node with that ID and returns its item, or none.
  void* RemoveById(uint16_t id);
  // Hands the whole chain to the caller (free it with FreeChain); the list is
  // left empty.
  Node* Detach();
  // The item of the index-th node (0-based), or none.
  void* Get(int index) const;
  Node* Head() const { return head_; }
  int Count() const;
  // Frees the nodes (not the items).
  void Clear();
  static void FreeChain(Node* chain);

 private:
  Node* head_ = nullptr;
};

// Nodes of pointers.
class CVPLinkedList {
 public:
  struct Node {
    void* item;
    Node* next;
  };

  CVPLinkedList() = default;
  ~CVPLinkedList() { Clear(); }
  CVPLinkedList(const CVPLinkedList&) = delete;
  CVPLinkedList& operator=(const CVPLinkedList&) = delete;

  // Prints "ERROR (CVPLinkedList::AddHead): Could not allocate new node" and
  // returns 0 when no node can be made.
  int AddHead(void* item);
  // Links a new node after `node`, or at the head when node is none, and
  // returns it (none when no node can be made). When node already has a
  // successor, "WARNING (CVPLinkedList::AddPos): Next exists" is printed and
  // the new node goes between the two, so nothing after it is lost. `node`
  // must belong to this list.
  Node* AddAfter(void* item, Node* node);
  // Unlinks the index-th node (0 = head), frees it and returns its item;
  // none, with nothing changed, when there is no such node.
  void* RemoveAt(int index);
  // The index-th node, or none; unlinked (and then owned by the caller, to
  // be freed with delete) when unlink is set.
  Node* GetAt(int index, bool unlink);
  Node* Last() const;
  Node* Head() const { return head_; }
  int Count() const;
  // Frees every node (not the items).
  void Clear();

 private:
  Node* head_ = nullptr;
};
