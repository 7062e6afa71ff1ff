(setq s "noch offen\" (
)
