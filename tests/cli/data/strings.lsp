(defun c:hallo ()
  (princ "Semikolon; und Klammer (")
)
