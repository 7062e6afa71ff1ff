(defun a ()
  (princ "a")
(defun b ()
  (princ "b"))
(if t
  (progn
    (princ)))
(c) ;| bis zum Ende
(defun d () (princ))
