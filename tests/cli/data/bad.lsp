(defun a ()
  (princ))
)
(defun b ()
  (if t
    (princ)
