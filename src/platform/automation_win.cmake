# The late-bound automation seam through IDispatch.
target_sources(winplatform PRIVATE
)
