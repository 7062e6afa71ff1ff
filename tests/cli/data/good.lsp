;;; Beispiel
(defun c:main (/ id)
  (setq id (load_dialog "main.dcl"))   ; Dialog laden
  (new_dialog "main_dlg" id)
  (foreach x (list 1 2) (setq total (+ x 1)))
  (princ)
)
(defun helper (a) (set (quote q) a))
