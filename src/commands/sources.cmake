# The command store: command records, command files, button images.
target_sources(core PRIVATE
)
