# The link to ACT! through its automation object (portable).
target_sources(core PRIVATE
)
