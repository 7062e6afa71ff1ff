(princ "offen)
