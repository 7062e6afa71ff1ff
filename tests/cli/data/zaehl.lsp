;;; ZAEHL.LSP – zählt die Blöcke einer Zeichnung
;;; Compte les éléments (blocs) du dessin ; version 2
;| Aufruf nach dem Laden:
   (c:zaehl) ; oder ZAEHL eingeben
   APPLOAD DEPENDENCIES: keine |;
(defun c:zaehl (/ ss n name
                 liste)
  (setq ss (ssget "X" '((0 . "INSERT")))   ; alle Blöcke
        n  0)
  (if (null ss)
    (princ "\nKeine Blöcke gefunden (Zeichnung leer?)")
    (progn
      (foreach e (vl-remove-if 'listp (mapcar 'cadr (ssnamex ss)))
        (setq name (cdr (assoc 2 (entget e)))
              n    (1+ n)))
      (princ (strcat "\n" (itoa n) " Blöcke; Fehler: \"keine\" ;)"))))
  (princ))
;ende defun 
(DEFUN c:dlg (/ id)
  (setq id (load_dialog "zaehl.dcl"))
  (new_dialog "zaehl_dlg" id)
  (Defun lokal (x) (* x 2))
  (set 'ergebnis (lokal 21))
  (princ "(defun falsch ()")
  (princ))
