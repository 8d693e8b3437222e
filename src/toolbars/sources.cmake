# ACT!'s toolbars and their button lists.
target_sources(core PRIVATE
  toolbars/clButtonItem.cpp
  toolbars/clButtonItemList.cpp
  toolbars/clACTToolbar.cpp
  toolbars/clACTToolbars.cpp
)
