# ACT!'s toolbars and their button lists.
target_sources(core PRIVATE
)
