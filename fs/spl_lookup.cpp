#include <cstring>
#include <string>

#include "fs/spl_tree.h"
#include "fs/tfile.h"

// Case-sensitive, only '/' separates; a bare name is looked up among the files of the
// current directory, a component among its subdirectories. The newest record wins.
std::unique_ptr<TSPLFile> FS_OpenInArchive(TSPLArchive* archive, TSPLDir* dir, const char* path) {
  while (dir && path) {
    const char* slash = std::strchr(path, '/');
    if (!slash) {
      for (TSPLEntry* entry = dir->files; entry; entry = entry->next)
        if (std::strcmp(entry->name, path) == 0) return std::make_unique<TSPLFile>(archive, entry);
      return nullptr;
    }
    if (slash == path) return nullptr;  // an empty component
    const std::string component(path, slash);
    TSPLDir* sub = dir->dirs;
    while (sub && component != sub->name) sub = sub->next;
    dir = sub;
    path = slash + 1;
    if (*path == 0) return nullptr;  // the path ends with '/'
  }
  return nullptr;
}
